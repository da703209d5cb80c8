#pragma once

#include "levels/LevelTable.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace lapidor {

// The file the program reads its levels from, in the working directory.
inline constexpr std::string_view levelsFileName = "levels.txt";

// Fills a level table from the text of a levels file. Every line
// "[LEVEL=<label> XP=<threshold>]" adds its label to List1 and its threshold
// to List2; the bytes are kept as they are.
LevelTable readLevels(std::string_view fileText);

struct LevelsFile {
    LevelTable table;
    std::string error; // empty when the file was read; otherwise what went wrong, in plain words
};

// Reads a levels file from disk. A file that cannot be read gives an empty
// table and a message naming the file, its folder and the reason.
LevelsFile readLevelsFile(const std::filesystem::path& path);

} // namespace lapidor
