#pragma once

// Where every control of the main window stands, in twips. Controls inside
// a frame are placed relative to the frame's outer top-left corner.

#include "ui/Twips.h"

#include <array>

namespace lapidor::layout {

constexpr int clientWidth = 11520;
constexpr int clientHeight = 5895; // the status bar included, the menu bar not

struct Frame {
    const char* name;
    const char* caption;
    TwipsRect rect;
};
constexpr Frame gemFrame{"Lapidors", "Lapidor", {120, 120, 6495, 5415}};
constexpr Frame optionsFrame{"Frame2", "Options", {6720, 120, 4695, 1095}};
constexpr Frame outputFrame{"Frame1", "Output", {6720, 1320, 4695, 2655}};

// The gem grid: the rough stones in the left column, the finely cut stones
// in the right one, one row per stone.
struct GemColumn {
    int labelLeft;
    int fieldLeft;
};
constexpr GemColumn roughColumn{120, 1920};
constexpr GemColumn finelyCutColumn{3240, 5400};
constexpr int gemRowTop(int row) { return 480 + 360 * row; } // row counted from 0
constexpr int gemLabelHeight = 255;
constexpr int gemFieldWidth = 615;
constexpr int gemFieldHeight = 285;
// In gem catalogue order.
constexpr std::array<int, 24> gemLabelWidths = {
    1215, 1695, 1695, 1695, 1575, 1455, 1215, 1575, 1575, 1695, 1215, 1575,
    2175, 1935, 2175, 1935, 2055, 1815, 1695, 1935, 1815, 2055, 1695, 1815,
};

constexpr TwipsRect calculateButton{2400, 4920, 1575, 255};

// The options frame: one row for the level, one for the experience.
struct StartRow {
    const char* optionName;
    const char* labelName;
    const char* labelCaption;
    int labelWidth;
    const char* fieldName;
    const char* initialText;
    int fieldWidth;
    int top;
};
constexpr StartRow levelRow{"Option1", "Label30", "Current Level:", 1455, "Text26", "1", 615, 360};
constexpr StartRow experienceRow{"Option2", "Label28", "Current Experience:", 1815, "Text25", "0", 1815, 720};
constexpr int optionLeft = 120;
constexpr int optionSize = 255;
constexpr int startLabelLeft = 480;
constexpr int startFieldLeft = 2760;
constexpr int startLabelHeight = 255;
constexpr int startFieldHeight = 285;

// The output frame, top to bottom; the line separates the gem totals from
// the old and new values.
struct OutputRow {
    const char* labelName;
    int top;
};
constexpr std::array<OutputRow, 8> outputRows = {{
    {"Label25", 360},
    {"Label27", 600},
    {"Label26", 840},
    {"Label24", 1080},
    {"Label29", 1560},
    {"Label31", 1800},
    {"Label32", 2040},
    {"Label33", 2280},
}};
constexpr int outputLabelLeft = 240;
constexpr int outputLabelWidth = 3615;
constexpr int outputLabelHeight = 255;
constexpr TwipsRect outputLine{240, 1440, 4080 - 240, 15};

// The level lists stand below the client area: a window made tall enough
// shows them.
constexpr TwipsRect levelLabelList{240, 8640, 2415, 255};
constexpr TwipsRect levelThresholdList{2880, 8640, 2535, 255};

constexpr int statusBarHeight = 270;
constexpr int statusPanelWidth = 1440; // the text and date panels

} // namespace lapidor::layout
