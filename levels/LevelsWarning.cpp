#include "levels/LevelsWarning.h"

#include "files/RegularFile.h"
#include "text/ExperienceFormat.h"
#include "text/ShownText.h"

#include <cctype>

namespace lapidor {

namespace {

// "the file "levels.txt" in the folder "/home/ann"", or without the folder
// when it is not known.
std::string theFile(const LevelsFile& file, std::string_view fileName)
{
    std::string named = "the file \"" + std::string(fileName) + "\"";
    if (!file.folder.empty()) {
        const auto folder = file.folder.u8string(); // paths are wide on Windows
        named += " in the folder \"" + shownText(std::string(folder.begin(), folder.end())) + "\"";
    }
    return named;
}

std::string lineProblem(const IrregularLine& line)
{
    return "line " + std::to_string(line.number) + " " + line.problem;
}

std::string capitalised(std::string text)
{
    text.front() = char(std::toupper(static_cast<unsigned char>(text.front())));
    return text;
}

std::string howToGoOn(LevelsFile::Failure failure)
{
    switch (failure) {
    case LevelsFile::Failure::Memory:
        return "Close other programs and start Lapidor again.";
    case LevelsFile::Failure::WorkingFolder:
        return "Start Lapidor again from a folder that holds levels.txt.";
    case LevelsFile::Failure::None:
    case LevelsFile::Failure::File:
        break;
    }
    return "Lapidor needs a plain text file there, of at most " + byteSize(largestLevelsFile)
        + ", with one level per line, such as [LEVEL=2 XP=400]. Put one there and start Lapidor again.";
}

const char* const wellFormedLine = "Each line should give one level, such as [LEVEL=2 XP=400].";
const char* const startAgain = "Correct the file and start Lapidor again.";

} // namespace

LevelsWarning levelsWarning(const LevelsFile& file, std::string_view fileName)
{
    if (!file.unreadable.empty())
        return {LevelsWarning::Kind::Unreadable,
                capitalised(theFile(file, fileName)) + " could not be read: " + shownText(file.unreadable) + ".\n\n"
                    + howToGoOn(file.failure),
                file.failure == LevelsFile::Failure::File};
    if (file.table.size() == 0)
        return {LevelsWarning::Kind::NoLevels,
                capitalised(theFile(file, fileName)) + " lists no levels: "
                    + (file.firstIrregularLine ? lineProblem(*file.firstIrregularLine) : "it is empty") + ".\n\n"
                    + wellFormedLine + " " + startAgain,
                true};
    if (const auto& line = file.firstIrregularLine)
        return {LevelsWarning::Kind::OutOfStep,
                "In " + theFile(file, fileName) + ", " + lineProblem(*line) + ". "
                    + (line->givesNoLevel ? "That line gives no level, so every level after it counts as one lower "
                                            "than the file means."
                                          : "From that line on, levels may be paired with the wrong experience.")
                    + "\n\n" + wellFormedLine + " " + startAgain,
                false};
    if (const auto& threshold = file.firstUnreadableThreshold)
        return {LevelsWarning::Kind::UnreadableThreshold,
                "In " + theFile(file, fileName) + ", line " + std::to_string(threshold->line) + " gives the XP value "
                    + quotedText(threshold->text) + ", which is not a number. A calculation from level "
                    + std::to_string(threshold->row + 1) + " cannot be made, and looking up levels by experience "
                    + "reads that value as " + formatExperience(threshold->leadingValue, ".") + ".\n\n" + wellFormedLine
                    + " " + startAgain,
                false};
    if (const auto& order = file.firstThresholdOutOfOrder)
        return {LevelsWarning::Kind::ThresholdsOutOfOrder,
                "In " + theFile(file, fileName) + ", line " + std::to_string(order->line) + " gives "
                    + shownText(order->text) + " XP, "
                    + (order->value > order->previousValue
                           ? std::string("but every level after the first needs more than 0 XP")
                           : "no more than the " + shownText(order->previousText) + " XP of line "
                               + std::to_string(order->previousLine))
                    + ". From the current level, Lapidor uses the file as written; but from the current experience "
                      "it finds the largest XP value reached, so "
                    + (order->value < order->previousValue && order->value > 0
                           ? std::string("levels come out in the wrong order.")
                           : "level " + std::to_string(order->row + 1) + " can never be reached.")
                    + "\n\nThe levels should be listed from the lowest XP value to the highest. " + startAgain,
                false};
    return {};
}

} // namespace lapidor
