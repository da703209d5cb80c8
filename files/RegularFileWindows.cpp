// Regular files on Windows. The path is first made whole the way Windows
// itself does it, which turns device names such as "NUL" or "C:\x\con"
// into "\\.\NUL" and "\\.\con", so that devices and named pipes are told
// apart by name alone. What remains is looked at by its attributes, without
// opening it. A symlink or junction at its end is opened as itself, with no
// access to contents, never as what it leads to: its target is read out of
// it, made whole and looked at in the same way, up to 32 links deep. So a
// link to a device or a named pipe is refused by the name or attributes of
// what it leads to, which is never opened.
//
// The file found is opened as itself too, so that a link put in its place
// since the look is not followed, and before a byte is read the handle must
// be a file on a disk, neither a folder nor a link; anything else was put
// there after the look, and is refused. Which file a path holds cannot be
// learned without opening it, so these checks stand for its being the file
// looked at: another file renamed into its place in between is read as the
// path's file, and of any file no more than the most allowed.
//
// Links among the folders on the way are followed by Windows when it opens
// a path, as for any program; the checks on the handle still refuse whatever
// such a link led to that is not a file, before reading from it.
#include "files/RegularFile.h"

#include "files/PathSwapHook.h"
#include "files/ReadWhole.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <winioctl.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

namespace lapidor {

namespace {

constexpr DWORD shareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// Should a path lead to a named pipe after all, its server may learn who
// opened it but cannot act as them.
constexpr DWORD openFlags = SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION;

std::string utf8(std::wstring_view text)
{
    if (text.empty())
        return {};
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return {};
    std::string converted(std::size_t(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), converted.data(), size, nullptr, nullptr);
    return converted;
}

// The codes Windows gives for a path that leads nowhere.
bool meansMissing(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_INVALID_NAME:
    case ERROR_DIRECTORY:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
        return true;
    default:
        return false;
    }
}

FileProblem systemProblem(DWORD error, std::string words)
{
    FileProblem problem;
    problem.kind = FileProblem::Kind::System;
    problem.code = int(error);
    problem.words = std::move(words);
    return problem;
}

// Why a call failed. The code is taken by the caller right after the call,
// before anything else can replace it. The common reasons have English
// words as on other systems; the rest as Windows words them.
FileProblem failure(DWORD error)
{
    if (meansMissing(error))
        return notAFile(FileKind::Missing);
    switch (error) {
    case ERROR_ACCESS_DENIED:
        return systemProblem(error, "Permission denied");
    case ERROR_SHARING_VIOLATION:
        return fileProblem(FileProblem::Kind::InUse);
    case ERROR_LOCK_VIOLATION:
        return fileProblem(FileProblem::Kind::Locked);
    case ERROR_FILENAME_EXCED_RANGE:
        return systemProblem(error, "File name too long");
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return systemProblem(error, "Cannot allocate memory");
    default:
        break;
    }
    wchar_t* text = nullptr;
    const DWORD length
        = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring_view message(text, text ? length : 0);
    // "The device is not ready.\r\n" reads "The device is not ready".
    while (!message.empty()
           && (message.back() == L'\r' || message.back() == L'\n' || message.back() == L' ' || message.back() == L'.'))
        message.remove_suffix(1);
    std::string reason = utf8(message);
    if (text)
        ::LocalFree(text);
    if (reason.empty())
        reason = "Windows error " + std::to_string(error);
    return systemProblem(error, std::move(reason));
}

class Handle {
public:
    explicit Handle(HANDLE handle)
        : handle_(handle)
    {
    }
    ~Handle()
    {
        if (handle_ != INVALID_HANDLE_VALUE)
            ::CloseHandle(handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return handle_; }
    explicit operator bool() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

bool isSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

bool startsWith(std::wstring_view text, std::wstring_view start)
{
    if (text.size() < start.size())
        return false;
    for (std::size_t i = 0; i < start.size(); ++i) {
        const auto lower = [](wchar_t c) { return c >= L'A' && c <= L'Z' ? wchar_t(c - L'A' + L'a') : c; };
        if (lower(text[i]) != lower(start[i]) && !(isSeparator(text[i]) && isSeparator(start[i])))
            return false;
    }
    return true;
}

// "server\share\..." of a network path: the share "pipe" holds named pipes
// and "mailslot" mailslots, on any machine.
std::optional<FileKind> shareKind(std::wstring_view serverAndShare)
{
    const auto end = std::find_if(serverAndShare.begin(), serverAndShare.end(), isSeparator);
    if (end == serverAndShare.end())
        return std::nullopt;
    const std::wstring_view rest(end + 1, serverAndShare.end());
    if (startsWith(rest, L"pipe\\") || (rest.size() == 4 && startsWith(rest, L"pipe")))
        return FileKind::NamedPipe;
    if (startsWith(rest, L"mailslot\\"))
        return FileKind::Other;
    return std::nullopt;
}

// What a whole path names when it is not a place in a file system: a device,
// a named pipe or a mailslot. Nothing is opened or asked to find out.
std::optional<FileKind> namespaceKind(std::wstring_view path)
{
    if (startsWith(path, L"\\\\.\\") || startsWith(path, L"\\\\?\\") || startsWith(path, L"\\??\\")) {
        const auto rest = path.substr(4);
        // "C:\levels.txt" is on the drive; "C:" alone is the volume itself.
        if (rest.size() >= 2 && ((rest[0] >= L'A' && rest[0] <= L'Z') || (rest[0] >= L'a' && rest[0] <= L'z'))
            && rest[1] == L':')
            return rest.size() > 2 && isSeparator(rest[2]) ? std::nullopt : std::optional(FileKind::Device);
        if (startsWith(rest, L"UNC\\"))
            return shareKind(rest.substr(4));
        if (startsWith(rest, L"Volume{")) {
            const auto close = rest.find(L'}');
            if (close != std::wstring_view::npos && close + 1 < rest.size() && isSeparator(rest[close + 1]))
                return std::nullopt;
            return FileKind::Device;
        }
        if (startsWith(rest, L"pipe\\"))
            return FileKind::NamedPipe;
        if (startsWith(rest, L"mailslot\\"))
            return FileKind::Other;
        return FileKind::Device;
    }
    if (path.size() > 2 && isSeparator(path[0]) && isSeparator(path[1]))
        return shareKind(path.substr(2));
    return std::nullopt;
}

// The path made whole against the current folder, as every later call sees
// it; empty with the reason in error when that fails.
std::wstring wholePath(const std::wstring& path, DWORD& error)
{
    error = ERROR_SUCCESS;
    DWORD needed = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    while (needed != 0) {
        std::wstring whole(needed, L'\0');
        const DWORD length = ::GetFullPathNameW(path.c_str(), needed, whole.data(), nullptr);
        if (length == 0)
            break;
        if (length < needed) {
            whole.resize(length);
            return whole;
        }
        needed = length; // the current folder changed meanwhile and made it longer
    }
    error = ::GetLastError();
    if (error == ERROR_SUCCESS)
        error = ERROR_INVALID_NAME;
    return {};
}

// A whole path that Windows takes as it is, with no device names in it and
// nothing trimmed: "\\?\C:\levels.txt".
bool isVerbatim(std::wstring_view path)
{
    return startsWith(path, L"\\\\?\\");
}

// How much of a whole path names its drive or share, which ".." does not
// leave: "C:", "\\server\share", "\\?\C:", "\\?\UNC\server\share".
std::size_t rootLength(std::wstring_view path)
{
    std::size_t at = 0;
    int names = 0;
    if (isVerbatim(path) || startsWith(path, L"\\\\.\\")) {
        at = 4;
        names = 1;
        if (startsWith(path.substr(at), L"UNC\\")) {
            at += 4;
            names = 2;
        }
    } else if (path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1])) {
        at = 2;
        names = 2;
    } else if (path.size() >= 2 && path[1] == L':') {
        return 2;
    }
    for (int name = 0; name < names; ++name) {
        if (name > 0) {
            if (at == path.size() || !isSeparator(path[at]))
                break;
            ++at;
        }
        while (at < path.size() && !isSeparator(path[at]))
            ++at;
    }
    return at;
}

// The names between the separators of a path, empty ones included.
std::vector<std::wstring_view> namesIn(std::wstring_view path)
{
    std::vector<std::wstring_view> names;
    while (!path.empty()) {
        const auto length = std::size_t(std::find_if(path.begin(), path.end(), isSeparator) - path.begin());
        names.push_back(path.substr(0, length));
        path.remove_prefix(std::min(path.size(), length + 1));
    }
    return names;
}

// Where a link's relative target leads: from the link's folder, or from the
// root of its drive or share when the target starts with a separator. "."
// and ".." are taken by their names, as Windows does when it follows a link.
std::wstring besideLink(std::wstring_view link, std::wstring_view target)
{
    const auto root = rootLength(link);
    std::vector<std::wstring_view> names;
    if (target.empty() || !isSeparator(target.front())) {
        names = namesIn(link.substr(root));
        if (!names.empty())
            names.pop_back(); // the link's own name
    }
    const auto more = namesIn(target);
    names.insert(names.end(), more.begin(), more.end());

    std::vector<std::wstring_view> kept;
    for (const auto name : names) {
        if (name == L"..") {
            if (!kept.empty())
                kept.pop_back();
        } else if (!name.empty() && name != L".") {
            kept.push_back(name);
        }
    }
    std::wstring path(link.substr(0, root));
    for (const auto name : kept) {
        path += L'\\';
        path += name;
    }
    if (kept.empty())
        path += L'\\';
    return path;
}

std::uintmax_t combine(DWORD high, DWORD low)
{
    return std::uintmax_t(high) << 32 | low;
}

struct Look {
    FileKind kind = FileKind::Missing;
    std::uintmax_t size = 0;
    FileProblem problem;
    std::wstring where; // the whole path of the file found, past any links, which is opened
};

Look failedLook(DWORD error)
{
    Look look;
    if (meansMissing(error))
        return look;
    look.kind = FileKind::Other;
    look.problem = failure(error);
    return look;
}

Look notFollowed()
{
    Look look;
    look.kind = FileKind::Other;
    return look;
}

// Where a link leads, or, with an empty path, why it is not followed.
struct LinkTarget {
    std::wstring path;
    Look refusal;
};

// Reads the target of the symlink or junction at a whole path and makes it
// whole. The link is opened as itself, with no access to contents, so
// nothing it names is opened. Links of other kinds are not followed.
LinkTarget readLink(const std::wstring& link)
{
    const Handle handle(::CreateFileW(link.c_str(), FILE_READ_ATTRIBUTES, shareAll, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS | openFlags, nullptr));
    if (!handle)
        return {{}, failedLook(::GetLastError())};
    std::vector<unsigned char> data(MAXIMUM_REPARSE_DATA_BUFFER_SIZE);
    DWORD size = 0;
    if (!::DeviceIoControl(handle.get(), FSCTL_GET_REPARSE_POINT, nullptr, 0, data.data(), DWORD(data.size()), &size,
                           nullptr)) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_NOT_A_REPARSE_POINT) // something else took the link's place since: look again
            return {link, {}};
        return {{}, failedLook(error)};
    }
    const auto number = [&](std::size_t at, auto value) {
        std::memcpy(&value, data.data() + at, sizeof value);
        return value;
    };
    if (size < 8)
        return {{}, notFollowed()};
    const DWORD tag = number(0, DWORD());
    // The tag, the length of the rest and two bytes unused; then where the
    // target's name lies among the names and its length, the same for the
    // name shown to people, for a symlink its flags, and the names.
    std::size_t names = 0;
    if (tag == DWORD(IO_REPARSE_TAG_SYMLINK))
        names = 20;
    else if (tag == DWORD(IO_REPARSE_TAG_MOUNT_POINT))
        names = 16;
    else
        return {{}, notFollowed()};
    if (size < names)
        return {{}, notFollowed()};
    const std::size_t offset = number(8, WORD());
    const std::size_t length = number(10, WORD());
    if (offset % 2 != 0 || length % 2 != 0 || length == 0 || names + offset + length > size)
        return {{}, notFollowed()};
    std::wstring target(length / 2, L'\0');
    std::memcpy(target.data(), data.data() + names + offset, length);
    if (target.find(L'\0') != std::wstring::npos)
        return {{}, notFollowed()};

    if (tag == DWORD(IO_REPARSE_TAG_SYMLINK) && (number(16, ULONG()) & SYMLINK_FLAG_RELATIVE)) {
        auto path = besideLink(link, target);
        if (isVerbatim(path))
            return {std::move(path), {}};
        // Made whole again, so that a device name at its end is seen as one.
        DWORD error = ERROR_SUCCESS;
        path = wholePath(path, error);
        if (error != ERROR_SUCCESS)
            return {{}, failedLook(error)};
        return {std::move(path), {}};
    }
    // "\??\C:\levels.txt" names the same file as "\\?\C:\levels.txt", and
    // "\??\pipe\x" the same pipe as "\\?\pipe\x". Names outside those of
    // drives, shares and devices have no path that could be looked at.
    if (!startsWith(target, L"\\??\\"))
        return {{}, notFollowed()};
    return {L"\\\\?\\" + target.substr(4), {}};
}

// At most this many links are followed from one path to its file.
constexpr int mostLinks = 32;

Look lookAt(const std::filesystem::path& path)
{
    if (path.empty())
        return {};
    DWORD error = ERROR_SUCCESS;
    auto where = wholePath(path.native(), error);
    if (error != ERROR_SUCCESS)
        return failedLook(error);
    for (int links = 0;; ++links) {
        Look look;
        if (const auto kind = namespaceKind(where)) {
            look.kind = *kind;
            return look;
        }
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!::GetFileAttributesExW(where.c_str(), GetFileExInfoStandard, &data))
            return failedLook(::GetLastError());
        // A link to a folder is marked as a folder itself, and refused as one.
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            look.kind = FileKind::Folder;
            return look;
        }
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DEVICE) {
            look.kind = FileKind::Device;
            return look;
        }
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
            look.kind = FileKind::Regular;
            look.size = combine(data.nFileSizeHigh, data.nFileSizeLow);
            look.where = std::move(where);
            return look;
        }
        // The attributes of a link to a file are the link's own. What it
        // leads to is looked at in turn, by its path.
        if (links == mostLinks) {
            look.kind = FileKind::Other;
            look.problem = systemProblem(ERROR_CANT_RESOLVE_FILENAME, "Too many levels of symbolic links");
            return look;
        }
        auto target = readLink(where);
        if (target.path.empty())
            return target.refusal;
        where = std::move(target.path);
    }
}

} // namespace

FileStatus fileStatus(const std::filesystem::path& path)
{
    const auto look = lookAt(path);
    return {look.kind, look.kind == FileKind::Regular ? look.size : 0, look.problem};
}

FileProblem readRegularFile(const std::filesystem::path& path, std::size_t maxBytes, ChunkReceiver& receiver)
{
    const auto before = lookAt(path);
    if (before.problem)
        return before.problem;
    if (before.kind != FileKind::Regular)
        return notAFile(before.kind);
    if (before.size > maxBytes)
        return tooLarge(before.size, maxBytes);

    runPathSwapHook(path);
    // Should a link have taken the file's place since the look, the link is
    // opened, not what it leads to; without FILE_FLAG_BACKUP_SEMANTICS a
    // folder cannot be opened at all.
    const Handle file(::CreateFileW(
        before.where.c_str(), GENERIC_READ, shareAll, nullptr, OPEN_EXISTING,
        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN | FILE_FLAG_OPEN_REPARSE_POINT | openFlags, nullptr));
    if (!file)
        return failure(::GetLastError());
    // What was looked at was a file on a disk, neither a folder nor a link.
    ::SetLastError(ERROR_SUCCESS); // FILE_TYPE_UNKNOWN is a failure only when an error comes with it
    const DWORD type = ::GetFileType(file.get());
    if (type != FILE_TYPE_DISK) {
        const DWORD error = ::GetLastError();
        return type == FILE_TYPE_UNKNOWN && error != ERROR_SUCCESS ? failure(error)
                                                                   : fileProblem(FileProblem::Kind::ChangedWhileOpened);
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(file.get(), &info))
        return failure(::GetLastError());
    if (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))
        return fileProblem(FileProblem::Kind::ChangedWhileOpened);

    receiver.starting(combine(info.nFileSizeHigh, info.nFileSizeLow));
    return readChunks(
        maxBytes,
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
