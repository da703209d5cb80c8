#pragma once

#include "text/TextEncoding.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lapidor {

// Where a label or threshold lies in the table's text.
struct TextPiece {
    std::uint32_t offset = 0;
    std::uint32_t length = 0;
};

// The level boundaries read from levels.txt: two parallel lists of text,
// exactly as cut from the file, in file order. Row i describes level i + 1.
// Each list keeps its own count; a malformed file can leave them out of step.
//
// The file's text is held once and the lists are pieces of it: a table of
// 32,767 levels then takes a fraction of the memory that a string per item
// would, and is that much quicker to fill.
struct LevelTable {
    std::string text;
    std::vector<TextPiece> labels;
    std::vector<TextPiece> thresholds;            // the experience at which each level begins
    TextEncoding encoding = TextEncoding::Latin1; // how the text's bytes read

    // The number of thresholds: the count the level lookups go by.
    std::size_t size() const { return thresholds.size(); }

    // A row outside a list reads as empty text, never as an error.
    std::string_view label(std::ptrdiff_t row) const { return at(labels, row); }
    std::string_view threshold(std::ptrdiff_t row) const { return at(thresholds, row); }

    std::vector<std::string_view> labelTexts() const { return texts(labels); }
    std::vector<std::string_view> thresholdTexts() const { return texts(thresholds); }

private:
    std::string_view at(const std::vector<TextPiece>& list, std::ptrdiff_t row) const
    {
        if (row < 0 || static_cast<std::size_t>(row) >= list.size())
            return {};
        const auto piece = list[static_cast<std::size_t>(row)];
        return std::string_view(text).substr(piece.offset, piece.length);
    }

    std::vector<std::string_view> texts(const std::vector<TextPiece>& list) const
    {
        std::vector<std::string_view> all;
        all.reserve(list.size());
        for (std::size_t row = 0; row < list.size(); ++row)
            all.push_back(at(list, std::ptrdiff_t(row)));
        return all;
    }
};

} // namespace lapidor
