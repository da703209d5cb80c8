#pragma once

// Where every control of the main window stands, in twips. Controls inside
// a frame are placed relative to the frame's outer top-left corner.

#include "calc/Calculation.h"
#include "ui/Twips.h"

#include <QtGlobal>

#include <array>
#include <string>

namespace lapidor::layout {

constexpr int clientWidth = 11520;
constexpr int clientHeight = 5895; // the status bar included, the menu bar not

struct Frame {
    const char* name;
    const char* caption;
    TwipsRect rect;
};
constexpr Frame gemFrame{"Lapidors", QT_TRANSLATE_NOOP("lapidor::MainWindow", "Lapidor"), {120, 120, 6495, 5415}};
constexpr Frame optionsFrame{"Frame2", QT_TRANSLATE_NOOP("lapidor::MainWindow", "Options"), {6720, 120, 4695, 1095}};
constexpr Frame outputFrame{"Frame1", QT_TRANSLATE_NOOP("lapidor::MainWindow", "Output"), {6720, 1320, 4695, 2655}};

// The gem grid: the rough stones in the left column, the finely cut stones
// in the right one, one row per stone.
struct GemColumn {
    int labelLeft;
    int fieldLeft;
};
constexpr GemColumn roughColumn{120, 1920};
constexpr GemColumn finelyCutColumn{3240, 5400};
// The top of a gem row, rows counted from 0.
constexpr int gemRowTop(int row)
{
    return 480 + 360 * row;
}
constexpr int gemLabelHeight = 255;
constexpr int gemFieldWidth = 615;
constexpr int gemFieldHeight = 285;

// The count field and the label of each gem kind, in gem catalogue order.
// A label's caption is the kind's name and a colon: "Rough Agate:"
// (ui/words/GemNames).
struct GemRow {
    const char* fieldName;
    const char* labelName;
    int labelWidth;
};
constexpr std::array<GemRow, 24> gemRows = {{
    {"Text1", "r", 1215},        {"Text2", "Label1", 1695},   {"Text3", "Label2", 1695},   {"Text4", "Label3", 1695},
    {"Text5", "Label4", 1575},   {"Text6", "Label5", 1455},   {"Text7", "Label6", 1215},   {"Text8", "Label7", 1575},
    {"Text9", "Label8", 1575},   {"Text10", "Label9", 1695},  {"Text11", "Label10", 1215}, {"Text12", "Label11", 1575},
    {"Text13", "Label12", 2175}, {"Text14", "Label13", 1935}, {"Text15", "Label14", 2175}, {"Text16", "Label15", 1935},
    {"Text17", "Label16", 2055}, {"Text18", "Label17", 1815}, {"Text19", "Label18", 1695}, {"Text20", "Label19", 1935},
    {"Text21", "Label20", 1815}, {"Text22", "Label21", 2055}, {"Text23", "Label22", 1695}, {"Text24", "Label23", 1815},
}};

constexpr TwipsRect calculateButton{2400, 4920, 1575, 255};

// The options frame: one row for the level, one for the experience. The
// label's caption is the row's name and a colon.
struct StartRow {
    const char* optionName;
    const char* labelName;
    const char* name;
    int labelWidth;
    const char* fieldName;
    const char* initialText;
    int fieldWidth;
    int top;
};
constexpr StartRow levelRow{
    "Option1", "Label30", QT_TRANSLATE_NOOP("lapidor::MainWindow", "Current Level"), 1455, "Text26", "1", 615, 360};
constexpr StartRow experienceRow{"Option2", "Label28", QT_TRANSLATE_NOOP("lapidor::MainWindow", "Current Experience"),
                                 1815,      "Text25",  "0",
                                 1815,      720};
constexpr int optionLeft = 120;
constexpr int optionSize = 255;
constexpr int startLabelLeft = 480;
constexpr int startFieldLeft = 2760;
constexpr int startLabelHeight = 255;
constexpr int startFieldHeight = 285;

// The report lines of the output frame, in the order a calculation writes
// them; each label shows its prefix and then the report's value. The line
// at 1440 separates the gem totals from the old and new values. Levels and
// experience texts come from the levels file or a field as they are.
struct ReportRow {
    const char* labelName;
    const char* prefix;
    std::string CalculationReport::*value;
    int top;
    bool quotesOutsideText;
};
constexpr std::array<ReportRow, 8> reportRows = {{
    {"Label33", QT_TRANSLATE_NOOP("lapidor::MainWindow", "New Level: "), &CalculationReport::newLevel, 2280, true},
    {"Label25", QT_TRANSLATE_NOOP("lapidor::MainWindow", "Total Gems: "), &CalculationReport::totalGems, 360, false},
    {"Label27", QT_TRANSLATE_NOOP("lapidor::MainWindow", "Total XP From Roughs: "),
     &CalculationReport::totalXpFromRoughs, 600, false},
    {"Label26", QT_TRANSLATE_NOOP("lapidor::MainWindow", "Total XP From Finely Cuts: "),
     &CalculationReport::totalXpFromFinelyCuts, 840, false},
    {"Label24", QT_TRANSLATE_NOOP("lapidor::MainWindow", "Total XP: "), &CalculationReport::totalXp, 1080, false},
    {"Label29", QT_TRANSLATE_NOOP("lapidor::MainWindow", "Old XP: "), &CalculationReport::oldXp, 1560, true},
    {"Label32", QT_TRANSLATE_NOOP("lapidor::MainWindow", "Old Level: "), &CalculationReport::oldLevel, 2040, true},
    {"Label31", QT_TRANSLATE_NOOP("lapidor::MainWindow", "New XP: "), &CalculationReport::newXp, 1800, false},
}};
constexpr int outputLabelLeft = 240;
constexpr int outputLabelWidth = 3615;
constexpr int outputLabelHeight = 255;
constexpr TwipsRect outputLine{240, 1440, 4080 - 240, 15};

// The level lists stand below the client area: a window made tall enough
// shows them.
constexpr TwipsRect levelLabelList{240, 8640, 2415, 255};
constexpr TwipsRect levelThresholdList{2880, 8640, 2535, 255};

constexpr int statusBarHeight = 270;   // the least; a larger font makes it higher
constexpr int statusPanelWidth = 1440; // the least width of each panel

} // namespace lapidor::layout
