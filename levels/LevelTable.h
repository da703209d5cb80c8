#pragma once

#include "levels/TextEncoding.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lapidor {

// The level boundaries read from levels.txt: two parallel lists of text,
// exactly as cut from the file, in file order. Row i describes level i + 1.
// Each list keeps its own count; a malformed file can leave them out of step.
struct LevelTable {
    std::vector<std::string> labels;
    std::vector<std::string> thresholds;   // the experience at which each level begins
    TextEncoding encoding = TextEncoding::Latin1; // how the file's bytes read as text

    // The number of thresholds: the count the level lookups go by.
    std::size_t size() const { return thresholds.size(); }

    // A row outside a list reads as empty text, never as an error.
    std::string_view label(std::ptrdiff_t row) const { return at(labels, row); }
    std::string_view threshold(std::ptrdiff_t row) const { return at(thresholds, row); }

private:
    static std::string_view at(const std::vector<std::string>& list, std::ptrdiff_t row)
    {
        if (row < 0 || static_cast<std::size_t>(row) >= list.size())
            return {};
        return list[static_cast<std::size_t>(row)];
    }
};

} // namespace lapidor
