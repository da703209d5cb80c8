// Regular files on Windows: the system's answers to the walk of
// files/LinkWalk.h, which finds the file at the end of a path by name
// without opening a device, a pipe or what a link leads to; then the file
// is opened as itself, so that a link put in its place since is not
// followed, and before a byte is read the handle must be a file on a disk,
// neither a folder nor a link. Which file a path holds cannot be learned
// without opening it, so these checks stand for its being the file looked
// at: another file renamed into its place in between is read as the path's
// file, and of any file no more than the most allowed. Links among the
// folders on the way are followed by Windows, as for any program; the checks
// on the handle still refuse whatever such a link led to that is not a file.
#include "files/RegularFile.h"

#include "files/LinkWalk.h"
#include "files/PathSwapHook.h"
#include "files/ReadWhole.h"
#include "files/ReparseData.h"

#include <windows.h> // WIN32_LEAN_AND_MEAN and NOMINMAX come from files/CMakeLists.txt

#include <winioctl.h>

#include <algorithm>
#include <memory>
#include <string_view>

namespace lapidor {

static_assert(DWORD(IO_REPARSE_TAG_SYMLINK) == symlinkTag && DWORD(IO_REPARSE_TAG_MOUNT_POINT) == junctionTag);
static_assert(SYMLINK_FLAG_RELATIVE == relativeSymlinkFlag && MAXIMUM_REPARSE_DATA_BUFFER_SIZE == mostReparseData);
static_assert(ERROR_CANT_RESOLVE_FILENAME == tooManyLinksCode && FILE_ATTRIBUTE_DIRECTORY == folderAttribute);
static_assert(FILE_ATTRIBUTE_DEVICE == deviceAttribute && FILE_ATTRIBUTE_REPARSE_POINT == reparseAttribute);

namespace {

constexpr DWORD shareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// Should a path lead to a named pipe after all, its server may learn who
// opened it but cannot act as them.
constexpr DWORD openFlags = SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION;

// The codes Windows gives for a path that leads nowhere.
bool meansMissing(DWORD error)
{
    constexpr DWORD missing[] = {ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND, ERROR_INVALID_DRIVE, ERROR_INVALID_NAME,
                                 ERROR_DIRECTORY,      ERROR_BAD_NETPATH,    ERROR_BAD_NET_NAME};
    return std::find(std::begin(missing), std::end(missing), error) != std::end(missing);
}

// Windows' own words for an error, in UTF-8.
std::string systemWords(DWORD error)
{
    wchar_t* text = nullptr;
    DWORD length
        = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    // "The device is not ready.\r\n" reads "The device is not ready".
    while (length > 0 && std::wstring_view(L"\r\n .").find(text[length - 1]) != std::wstring_view::npos)
        --length;
    std::string words(3 * std::size_t(length), '\0'); // the most UTF-8 bytes that many UTF-16 units take
    // Nothing to convert is a failure too, which leaves the words empty.
    words.resize(std::size_t(
        ::WideCharToMultiByte(CP_UTF8, 0, text, int(length), words.data(), int(words.size()), nullptr, nullptr)));
    if (text)
        ::LocalFree(text);
    return words.empty() ? "Windows error " + std::to_string(error) : words;
}

// Why a call failed. The code is taken by the caller right after the call,
// before anything else can replace it. The common reasons have English
// words as on other systems; the rest as Windows words them.
FileProblem failure(DWORD error)
{
    if (meansMissing(error))
        return notAFile(FileKind::Missing);
    if (error == ERROR_SHARING_VIOLATION)
        return fileProblem(FileProblem::Kind::InUse);
    if (error == ERROR_LOCK_VIOLATION)
        return fileProblem(FileProblem::Kind::Locked);
    FileProblem problem;
    problem.kind = FileProblem::Kind::System;
    problem.code = int(error);
    if (error == ERROR_ACCESS_DENIED)
        problem.words = "Permission denied";
    else if (error == ERROR_FILENAME_EXCED_RANGE)
        problem.words = "File name too long";
    else if (error == ERROR_NOT_ENOUGH_MEMORY || error == ERROR_OUTOFMEMORY)
        problem.words = "Cannot allocate memory";
    else
        problem.words = systemWords(error);
    return problem;
}

// What the walk ends with when a look failed: nothing there, or why not.
FileStatus failedLook(DWORD error)
{
    if (meansMissing(error))
        return {};
    return {FileKind::Other, 0, failure(error)};
}

struct HandleCloser {
    void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

// Opens what stands at a whole path as itself: a link, not what it leads
// to. When it fails, GetLastError says why.
Handle openAsItself(const std::wstring& path, DWORD access, DWORD flags)
{
    const HANDLE handle = ::CreateFileW(path.c_str(), access, shareAll, nullptr, OPEN_EXISTING,
                                        flags | FILE_FLAG_OPEN_REPARSE_POINT | openFlags, nullptr);
    return Handle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

struct WindowsLinkWalk : LinkWalkSystem {
    WholePath makeWhole(const std::wstring& path) override
    {
        // Room for the longest path any call takes; a longer one is refused.
        std::wstring whole(32768, L'\0');
        const DWORD length = ::GetFullPathNameW(path.c_str(), DWORD(whole.size()), whole.data(), nullptr);
        if (length == 0 || length >= whole.size())
            return {{}, failedLook(length == 0 ? ::GetLastError() : DWORD(ERROR_FILENAME_EXCED_RANGE))};
        whole.resize(length);
        return {std::move(whole), {}};
    }

    Entry look(const std::wstring& path) override
    {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
            return {false, 0, 0, failedLook(::GetLastError())};
        return {true, data.dwFileAttributes, std::uintmax_t(data.nFileSizeHigh) << 32 | data.nFileSizeLow, {}};
    }

    LinkData readLink(const std::wstring& path) override
    {
        const auto link = openAsItself(path, FILE_READ_ATTRIBUTES, FILE_FLAG_BACKUP_SEMANTICS);
        if (!link)
            return {LinkData::Read::Failed, {}, failedLook(::GetLastError())};
        std::vector<unsigned char> data(mostReparseData);
        DWORD size = 0;
        if (!::DeviceIoControl(link.get(), FSCTL_GET_REPARSE_POINT, nullptr, 0, data.data(), DWORD(data.size()), &size,
                               nullptr)) {
            const DWORD error = ::GetLastError();
            if (error == ERROR_NOT_A_REPARSE_POINT) // something else took the link's place since the look
                return {LinkData::Read::NoLinkThere, {}, {}};
            return {LinkData::Read::Failed, {}, failedLook(error)};
        }
        data.resize(size);
        return {LinkData::Read::Data, std::move(data), {}};
    }
};

} // namespace

FileStatus fileStatus(const std::filesystem::path& path)
{
    WindowsLinkWalk system;
    return walkLinks(path.native(), system).status;
}

FileProblem readRegularFile(const std::filesystem::path& path, std::size_t maxBytes, ChunkReceiver& receiver)
{
    WindowsLinkWalk system;
    const auto before = walkLinks(path.native(), system);
    if (auto refusal = refusedByLook(before.status, maxBytes))
        return refusal;

    runPathSwapHook(path);
    // Should a link have taken the file's place since the look, the link is
    // opened, not what it leads to; without FILE_FLAG_BACKUP_SEMANTICS a
    // folder cannot be opened at all.
    const auto file = openAsItself(before.where, GENERIC_READ, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN);
    if (!file)
        return failure(::GetLastError());
    // What was looked at was a file on a disk, neither a folder nor a link.
    // (GetFileType fails only on a handle that is not open.)
    if (::GetFileType(file.get()) != FILE_TYPE_DISK)
        return fileProblem(FileProblem::Kind::ChangedWhileOpened);
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(file.get(), &info))
        return failure(::GetLastError());
    if (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))
        return fileProblem(FileProblem::Kind::ChangedWhileOpened);

    return readChunks(
        std::uintmax_t(info.nFileSizeHigh) << 32 | info.nFileSizeLow, maxBytes,
        [&](char* into, std::size_t room) -> ReadStep {
            const auto wanted = DWORD(std::min<std::size_t>(room, std::size_t(1) << 30));
            DWORD n = 0;
            if (::ReadFile(file.get(), into, wanted, &n, nullptr))
                return {n, {}};
            const DWORD error = ::GetLastError();
            return {0, error == ERROR_HANDLE_EOF ? FileProblem() : failure(error)};
        },
        receiver);
}

} // namespace lapidor
