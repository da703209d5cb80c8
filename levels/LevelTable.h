#pragma once

#include "text/TextEncoding.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lapidor {

class LevelsReader;

// The level boundaries read from levels.txt: two parallel lists of text,
// exactly as cut from the file, in file order. Row i describes level i + 1.
// Each list keeps its own count; a malformed file can leave them out of
// step. Only the levels reader fills a table.
class LevelTable {
public:
    std::size_t labelCount() const { return labels_.count; }
    std::size_t thresholdCount() const { return thresholds_.count; }

    // A row outside a list reads as empty text, never as an error.
    std::string_view label(std::ptrdiff_t row) const { return labels_.at(row); }
    std::string_view threshold(std::ptrdiff_t row) const { return thresholds_.at(row); }

    // How the text's bytes read.
    TextEncoding encoding() const { return encoding_; }

    // Whether each threshold is a number above the one before it, and above
    // 0 from the second on: then the rows are in the order of their
    // experience, and a lookup needs no index of its own.
    bool ascending() const { return ascending_; }

private:
    friend class LevelsReader;

    // One list: its items back to back in one text, each ended by a line
    // feed, which no item can hold since the file's lines end there. Where
    // every sixteenth item begins is noted, so that reading a row passes
    // over at most fifteen items. A table of 32,767 levels takes a few
    // hundred kilobytes this way, a fraction of a string or even a pair of
    // offsets per item, and every page of it costs time when it is first
    // touched.
    class ItemList {
    public:
        static constexpr std::size_t itemsPerBlock = 16;

        std::string_view at(std::ptrdiff_t row) const;
        void append(std::string_view item);
        void reserve(std::size_t textBytes);

        std::string text;
        std::vector<std::uint32_t> blockStarts;
        std::size_t count = 0;
    };

    ItemList labels_;
    ItemList thresholds_;
    TextEncoding encoding_ = TextEncoding::Latin1;
    bool ascending_ = true;
};

} // namespace lapidor
