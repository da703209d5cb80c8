// The Windows branch of the file reader against Windows itself (wine, in
// the test command): paths made whole the way Windows does, device names,
// named pipes and folders refused without being opened, and the checks on
// the handle when something else takes the file's place after the look.
// Wine cannot make links, so the walk through links is tested in
// tst_linkwalk against a made-up file system.
#include "files/PathSwapHook.h"
#include "files/RegularFile.h"
#include "tests/files/RowCheck.h"

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

using namespace lapidor;

namespace fs = std::filesystem;

namespace {

constexpr std::size_t mostBytes = 64;
const std::string levelsText = "1 0\n2 10\n";

// A folder of this process's own in the temporary folder, removed when it ends.
class ScratchFolder {
public:
    ScratchFolder()
        : folder_(
            fs::temp_directory_path()
            / ("lapidor-regular-file-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count())))
    {
        fs::create_directories(folder_);
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        fs::current_path(fs::temp_directory_path(), ignored);
        fs::remove_all(folder_, ignored);
    }
    const fs::path& path() const { return folder_; }

private:
    fs::path folder_;
};

void write(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// The server end of a named pipe of this process's own, waiting for a
// client, which tells whether one came. It lets a client read and write,
// so that any open of the pipe is let through and seen.
class PipeServer {
public:
    explicit PipeServer(const std::wstring& name)
        : pipe_(::CreateNamedPipeW((L"\\\\.\\pipe\\" + name).c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED,
                                   PIPE_TYPE_BYTE, 1, 0, 0, 0, nullptr))
    {
        waiting_.hEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
        if (pipe_ != INVALID_HANDLE_VALUE && !::ConnectNamedPipe(pipe_, &waiting_))
            listening_ = ::GetLastError() == ERROR_IO_PENDING;
    }
    ~PipeServer()
    {
        ::CancelIo(pipe_);
        ::CloseHandle(pipe_);
        ::CloseHandle(waiting_.hEvent);
    }
    bool listening() const { return listening_; }
    bool clientCame() const { return ::WaitForSingleObject(waiting_.hEvent, 0) == WAIT_OBJECT_0; }

private:
    HANDLE pipe_;
    OVERLAPPED waiting_{};
    bool listening_ = false;
};

std::wstring pipeName(const char* row)
{
    return L"lapidor-test-" + std::to_wstring(::GetCurrentProcessId()) + L"-"
        + std::to_wstring(std::hash<std::string>()(row));
}

struct Row {
    const char* name;
    fs::path path;
    FileKind kind; // what fileStatus finds; a regular file is read whole, anything else refused as not a file
};

struct PipeRow {
    const char* name;
    std::wstring prefix; // before the pipe's name
};

// What is done between the look at levels.txt and its opening.
enum class Swap { GrowPastMost, Folder };

struct SwapRow {
    const char* name;
    Swap swap;
    FileProblem::Kind problem;
};

} // namespace

int main()
{
    const ScratchFolder scratch;
    const auto levels = scratch.path() / L"levels.txt";
    write(levels, levelsText);
    write(scratch.path() / L"large.txt", std::string(mostBytes + 1, 'x'));
    fs::create_directory(scratch.path() / L"folder");
    fs::current_path(scratch.path());
    int count = 0;

    // clang-format off
    const Row rows[] = {
        {"file", levels, FileKind::Regular},
        {"file by a name in the current folder", L"levels.txt", FileKind::Regular},
        {"file by a path with forward slashes", scratch.path().generic_wstring() + L"/levels.txt", FileKind::Regular},
        {"file by a path with a trailing dot, which Windows drops", levels.native() + L".", FileKind::Regular},
        {"file by a verbatim path", L"\\\\?\\" + levels.native(), FileKind::Regular},
        {"nothing there", scratch.path() / L"missing.txt", FileKind::Missing},
        {"nothing there, in a folder that is not there", scratch.path() / L"gone" / L"levels.txt", FileKind::Missing},
        {"empty path", L"", FileKind::Missing},
        {"folder", scratch.path() / L"folder", FileKind::Folder},
        {"NUL", L"NUL", FileKind::Device},
        {"nul in lower case", L"nul", FileKind::Device},
        {"CON in a folder, made whole as the console", scratch.path() / L"con", FileKind::Device},
        {"NUL in the device namespace", L"\\\\.\\NUL", FileKind::Device},
        {"volume of a drive", L"\\\\.\\C:", FileKind::Device},
    };
    // clang-format on
    for (const auto& row : rows) {
        CHECK_EQUAL(row.name, fileStatus(row.path).kind, row.kind);
        const auto read = readRegularFile(row.path, mostBytes);
        if (row.kind == FileKind::Regular) {
            CHECK_EQUAL(row.name, read.problem.kind, FileProblem::Kind::None);
            CHECK_EQUAL(row.name, read.bytes == levelsText, true);
        } else {
            CHECK_EQUAL(row.name, read.problem.kind, FileProblem::Kind::NotAFile);
            CHECK_EQUAL(row.name, read.problem.found, row.kind);
        }
        ++count;
    }

    const auto large = readRegularFile(scratch.path() / L"large.txt", mostBytes);
    CHECK_EQUAL("file larger than the most read", large.problem.kind, FileProblem::Kind::TooLarge);
    CHECK_EQUAL("file larger than the most read", large.problem.size, mostBytes + 1);
    ++count;

    // A pipe opened by the reader would find the server waiting, so the
    // server would see a client come.
    // clang-format off
    const PipeRow pipeRows[] = {
        {"named pipe", L"\\\\.\\pipe\\"},
        {"named pipe, in capitals and with forward slashes", L"//./PIPE/"},
        {"named pipe through this machine's pipe share", L"\\\\localhost\\pipe\\"},
        {"named pipe, verbatim", L"\\\\?\\pipe\\"},
    };
    // clang-format on
    for (const auto& row : pipeRows) {
        const auto name = pipeName(row.name);
        const PipeServer server(name);
        CHECK_EQUAL(row.name, server.listening(), true);
        CHECK_EQUAL(row.name, fileStatus(row.prefix + name).kind, FileKind::NamedPipe);
        const auto read = readRegularFile(row.prefix + name, mostBytes);
        CHECK_EQUAL(row.name, read.problem.kind, FileProblem::Kind::NotAFile);
        CHECK_EQUAL(row.name, read.problem.found, FileKind::NamedPipe);
        CHECK_EQUAL(row.name, server.clientCame(), false);
        ++count;
    }
    {
        // The server does see a client that opens the pipe.
        const char* row = "pipe opened by a client, to show the server sees it";
        const auto name = pipeName(row);
        const PipeServer server(name);
        const HANDLE client
            = ::CreateFileW((L"\\\\.\\pipe\\" + name).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        CHECK_EQUAL(row, client != INVALID_HANDLE_VALUE, true);
        CHECK_EQUAL(row, server.clientCame(), true);
        ::CloseHandle(client);
        ++count;
    }

    // clang-format off
    const SwapRow swapRows[] = {
        {"file grown past the most read after the look", Swap::GrowPastMost, FileProblem::Kind::GrewWhileRead},
        {"file swapped for a folder after the look", Swap::Folder, FileProblem::Kind::System},
    };
    // clang-format on
    for (const auto& row : swapRows) {
        write(levels, levelsText);
        setPathSwapHook([&](const fs::path& at) {
            if (row.swap == Swap::GrowPastMost) {
                std::ofstream(at, std::ios::binary | std::ios::app) << std::string(mostBytes, 'x');
            } else {
                fs::remove(at);
                fs::create_directory(at);
            }
        });
        const auto read = readRegularFile(levels, mostBytes);
        setPathSwapHook({});
        CHECK_EQUAL(row.name, read.problem.kind, row.problem);
        CHECK_EQUAL(row.name, read.bytes.empty(), true);
        std::error_code ignored;
        fs::remove_all(levels, ignored);
        ++count;
    }
    return lapidor::test::finish(count);
}
