#include "levels/LevelsWarning.h"

#include "files/RegularFile.h"
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
    return {};
}

} // namespace lapidor
