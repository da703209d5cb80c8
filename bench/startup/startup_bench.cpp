// Times Lapidor's start-up against a bare main window: from the moment the
// process is started to its window's first paint, alternating the programs,
// and reports the medians, their ratios and resident memory. The bare window
// runs twice: with the bold fonts of Lapidor's design, the comparison the
// targets are set against, and with the toolkit's default font.
//
// usage: startup_bench <lapidor_first_shown> <bare_first_shown> <sample levels.txt> [runs] [earlier
// lapidor_first_shown]
//
// An earlier build of Lapidor, given last, runs alongside, so that a change
// is measured before and after in one run.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Program {
    std::string name;
    std::vector<std::string> command;
    std::vector<double> milliseconds;
    std::vector<long long> residentKiB;
};

// Starts the program in the folder, offscreen, and waits for the line it
// prints once its window has painted.
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
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
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
    program.residentKiB.push_back(std::atoll(line.c_str()));
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
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s <lapidor_first_shown> <bare_first_shown> <sample levels.txt> [runs]\n",
                     argv[0]);
        return 2;
    }
    const std::string real = fs::absolute(argv[1]), bare = fs::absolute(argv[2]);
    const int runs = argc > 4 ? std::max(1, std::atoi(argv[4])) : 21;
    std::vector<Program> programs = {
        {"bare window, design fonts", {bare, "--design-fonts"}, {}, {}},
        {"bare window, default font", {bare}, {}, {}},
        {"Lapidor", {real}, {}, {}},
    };
    if (argc > 5)
        programs.push_back({"Lapidor, earlier build", {fs::absolute(argv[5])}, {}, {}});
    const fs::path scratch = fs::temp_directory_path() / ("lapidor-startup-" + std::to_string(getpid()));

    std::ifstream sampleFile(argv[3], std::ios::binary);
    const std::string sample((std::istreambuf_iterator<char>(sampleFile)), std::istreambuf_iterator<char>());
    std::string large;
    for (int level = 1; level <= 32767; ++level)
        large += "[LEVEL=" + std::to_string(level) + " XP=" + std::to_string((level - 1) * 1000LL) + "]\r\n";

    compare("Bundled sample levels.txt", programs, folderWith(scratch / "sample", sample), runs);
    compare("32,767-line levels.txt", programs, folderWith(scratch / "large", large), runs);
    fs::remove_all(scratch);
    return 0;
}
