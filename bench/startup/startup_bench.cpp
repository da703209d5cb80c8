// Times Lapidor's start-up against a bare main window: from the moment the
// process is started to its window's first paint, alternating the programs,
// and reports the medians, their ratios and resident memory. The bare window
// runs twice: with the bold fonts of Lapidor's design, the comparison the
// targets are set against, and with the toolkit's default font.
//
// usage: startup_bench [--instructions] <lapidor_first_shown> <bare_first_shown> <sample levels.txt> [runs]
// [earlier lapidor_first_shown]
//
// An earlier build of Lapidor, given last, runs alongside, so that a change
// is measured before and after in one run. With --instructions each program
// runs once under callgrind instead (valgrind), which counts the
// instructions it executes up to its first paint, in the window's thread
// and in all threads: counts stay put while other work loads the machine,
// where times wander.

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Program {
    std::string name;
    std::vector<std::string> command;
    std::vector<double> milliseconds;
    std::vector<long long> residentKiB;
    std::vector<int> layoutSteps; // of list views, before the first paint
};

// Starts the program in the folder, offscreen unless QT_QPA_PLATFORM says
// otherwise, and waits for the line it prints once its window has painted.
// (On a real display the window waits for the display server to show it,
// and whatever the program has queued runs meanwhile.)
void timeStart(Program& program, const fs::path& folder)
{
    int output[2];
    if (pipe(output) != 0) {
        std::perror("pipe");
        std::exit(1);
    }
    const auto started = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        if (chdir(folder.c_str()) != 0)
            _exit(127);
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        dup2(output[1], STDOUT_FILENO);
        if (const int quiet = open("/dev/null", O_WRONLY); quiet >= 0)
            dup2(quiet, STDERR_FILENO);
        close(output[0]);
        close(output[1]);
        std::vector<char*> argv;
        for (auto& word : program.command)
            argv.push_back(word.data());
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(output[1]);
    std::string line;
    char c;
    while (read(output[0], &c, 1) == 1 && c != '\n')
        line += c;
    const auto shown = std::chrono::steady_clock::now();
    close(output[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (line.empty()) {
        std::fprintf(stderr, "%s printed nothing (status %d)\n", program.command[0].c_str(), status);
        std::exit(1);
    }
    program.milliseconds.push_back(std::chrono::duration<double, std::milli>(shown - started).count());
    char* end = nullptr;
    program.residentKiB.push_back(std::strtoll(line.c_str(), &end, 10));
    // A build older than the count prints only its memory: -1, not counted.
    char* stepsEnd = nullptr;
    const long steps = std::strtol(end, &stepsEnd, 10);
    program.layoutSteps.push_back(stepsEnd == end ? -1 : int(steps));
}

template <typename T>
T median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void compare(const char* title, std::vector<Program> programs, const fs::path& folder, int runs)
{
    for (auto& program : programs) { // warm the caches
        timeStart(program, folder);
        program.milliseconds.clear();
        program.residentKiB.clear();
        program.layoutSteps.clear();
    }
    for (int run = 0; run < runs; ++run) {
        std::rotate(programs.begin(), programs.begin() + 1, programs.end()); // vary who goes first
        for (auto& program : programs)
            timeStart(program, folder);
    }
    const auto named = [&](const std::string& name) -> const Program& {
        return *std::find_if(programs.begin(), programs.end(), [&](const Program& p) { return p.name == name; });
    };
    std::printf("%s, %d runs each, medians:\n", title, runs);
    for (const auto* name : {"bare window, default font", "bare window, design fonts"}) {
        const Program& program = named(name);
        const double ms = median(program.milliseconds);
        const double mib = median(program.residentKiB) / 1024.0;
        std::printf("  %-28s %7.1f ms  %6.1f MiB\n", program.name.c_str(), ms, mib);
        for (const auto& lapidor : programs)
            if (lapidor.name.starts_with("Lapidor"))
                std::printf("    %-26s %7.1f ms  %6.1f MiB   against it: %.3f time, %+.1f MiB\n", lapidor.name.c_str(),
                            median(lapidor.milliseconds), median(lapidor.residentKiB) / 1024.0,
                            median(lapidor.milliseconds) / ms, median(lapidor.residentKiB) / 1024.0 - mib);
    }
    std::printf("  steps of list layout before the first paint:");
    for (const auto& program : programs) {
        if (const int steps = median(program.layoutSteps); steps >= 0)
            std::printf(" %s %d;", program.name.c_str(), steps);
        else
            std::printf(" %s not counted;", program.name.c_str());
    }
    std::printf("\n");
}

// Runs the program once under callgrind, offscreen unless QT_QPA_PLATFORM
// says otherwise, in the folder, and
// returns the instructions it executed before it quit at its first paint:
// in its first thread, the window's, and in all its threads.
std::pair<long long, long long> countInstructions(const Program& program, const fs::path& folder,
                                                  const fs::path& scratch)
{
    const fs::path out = scratch / "callgrind.out";
    for (const auto& entry : fs::directory_iterator(scratch))
        if (entry.path().filename().string().starts_with("callgrind.out"))
            fs::remove(entry.path());
    std::vector<std::string> command
        = {"valgrind", "--tool=callgrind", "--separate-threads=yes", "--callgrind-out-file=" + out.string()};
    command.insert(command.end(), program.command.begin(), program.command.end());
    const pid_t child = fork();
    if (child == 0) {
        if (chdir(folder.c_str()) != 0)
            _exit(127);
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        if (const int quiet = open("/dev/null", O_WRONLY); quiet >= 0) {
            dup2(quiet, STDOUT_FILENO);
            dup2(quiet, STDERR_FILENO);
        }
        std::vector<char*> argv;
        for (auto& word : command)
            argv.push_back(word.data());
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(errno == ENOENT ? 126 : 127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s under callgrind failed (status %d)%s\n", program.command[0].c_str(), status,
                     WIFEXITED(status) && WEXITSTATUS(status) == 126 ? ": is valgrind installed?" : "");
        std::exit(1);
    }
    // One file per thread: callgrind.out-01 for the first.
    long long window = 0, all = 0;
    for (int thread = 1;; ++thread) {
        std::ifstream counts(out.string() + (thread < 10 ? "-0" : "-") + std::to_string(thread));
        if (!counts)
            break;
        for (std::string line; std::getline(counts, line);)
            if (line.starts_with("summary: ")) {
                const long long instructions = std::atoll(line.c_str() + 9);
                all += instructions;
                if (thread == 1)
                    window = instructions;
            }
    }
    return {window, all};
}

void compareInstructions(const std::vector<Program>& programs, const fs::path& sample, const fs::path& large,
                         const fs::path& scratch)
{
    std::printf("Instructions up to the first paint (callgrind), millions: the window's thread / all threads\n");
    std::printf("  %-28s %19s %19s %19s\n", "", "bundled sample", "32,767 lines", "32,767 lines more");
    for (const auto& program : programs) {
        if (program.name == "bare window, default font")
            continue;
        const auto [sampleWindow, sampleAll] = countInstructions(program, sample, scratch);
        const auto [largeWindow, largeAll] = countInstructions(program, large, scratch);
        const auto millions = [](long long window, long long all) {
            char text[32];
            std::snprintf(text, sizeof text, "%.1f / %.1f", window / 1e6, all / 1e6);
            return std::string(text);
        };
        std::printf("  %-28s %19s %19s %19s\n", program.name.c_str(), millions(sampleWindow, sampleAll).c_str(),
                    millions(largeWindow, largeAll).c_str(),
                    millions(largeWindow - sampleWindow, largeAll - sampleAll).c_str());
    }
}

fs::path folderWith(const fs::path& folder, const std::string& levelsText)
{
    fs::create_directories(folder);
    std::ofstream(folder / "levels.txt", std::ios::binary) << levelsText;
    return folder;
}

} // namespace

int main(int argc, char* argv[])
{
    const bool instructions = argc > 1 && std::string(argv[1]) == "--instructions";
    if (instructions) {
        ++argv;
        --argc;
    }
    if (argc < 4) {
        std::fprintf(stderr,
                     "usage: %s [--instructions] <lapidor_first_shown> <bare_first_shown> <sample levels.txt> [runs] "
                     "[earlier lapidor_first_shown]\n",
                     argv[0]);
        return 2;
    }
    const std::string real = fs::absolute(argv[1]), bare = fs::absolute(argv[2]);
    const int runs = argc > 4 ? std::max(1, std::atoi(argv[4])) : 21;
    std::vector<Program> programs = {
        {"bare window, design fonts", {bare, "--design-fonts"}, {}, {}, {}},
        {"bare window, default font", {bare}, {}, {}, {}},
        {"Lapidor", {real}, {}, {}, {}},
    };
    if (argc > 5)
        programs.push_back({"Lapidor, earlier build", {fs::absolute(argv[5])}, {}, {}, {}});
    const fs::path scratch = fs::temp_directory_path() / ("lapidor-startup-" + std::to_string(getpid()));

    std::ifstream sampleFile(argv[3], std::ios::binary);
    const std::string sample((std::istreambuf_iterator<char>(sampleFile)), std::istreambuf_iterator<char>());
    std::string large;
    for (int level = 1; level <= 32767; ++level)
        large += "[LEVEL=" + std::to_string(level) + " XP=" + std::to_string((level - 1) * 1000LL) + "]\r\n";

    const fs::path sampleFolder = folderWith(scratch / "sample", sample);
    const fs::path largeFolder = folderWith(scratch / "large", large);
    if (instructions) {
        compareInstructions(programs, sampleFolder, largeFolder, scratch);
    } else {
        compare("Bundled sample levels.txt", programs, sampleFolder, runs);
        compare("32,767-line levels.txt", programs, largeFolder, runs);
    }
    fs::remove_all(scratch);
    return 0;
}
