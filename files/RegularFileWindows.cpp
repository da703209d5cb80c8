// Regular files on Windows. The path is first made whole the way Windows
// itself does it, which turns device names such as "NUL" or "C:\x\con"
// into "\\.\NUL" and "\\.\con", so that devices and named pipes are told
// apart by name alone. What remains is looked at by its attributes, without
// opening it; only a file is then opened, and the handle is asked again
// what it is before a byte is read through it.
#include "files/RegularFile.h"

#include "files/ReadWhole.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <optional>
#include <string_view>

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

// The reason a call failed. The code is taken by the caller right after the
// call, before anything else can replace it. The common reasons read as they
// do on other systems; the rest as Windows words them.
std::string failure(DWORD error)
{
    if (meansMissing(error))
        return notAFile(FileKind::Missing);
    switch (error) {
    case ERROR_ACCESS_DENIED:
        return "Permission denied";
    case ERROR_SHARING_VIOLATION:
        return "another program has it open and lets no one else read it";
    case ERROR_LOCK_VIOLATION:
        return "another program has locked some of it";
    case ERROR_FILENAME_EXCED_RANGE:
        return "File name too long";
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return "Cannot allocate memory";
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
    return reason;
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
std::wstring wholePath(const std::filesystem::path& path, DWORD& error)
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

std::uintmax_t combine(DWORD high, DWORD low)
{
    return std::uintmax_t(high) << 32 | low;
}

struct Look {
    FileKind kind = FileKind::Missing;
    std::uintmax_t size = 0;
    std::string problem;
    std::wstring where; // the whole path that was looked at, and that is opened
    // Which file it was, where the look had to open it to know.
    bool identified = false;
    DWORD volume = 0;
    std::uintmax_t index = 0;
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

// What an open handle leads to, filled into look; false with look.problem
// set when the handle could not tell.
bool describe(HANDLE handle, Look& look, BY_HANDLE_FILE_INFORMATION& info)
{
    ::SetLastError(ERROR_SUCCESS); // FILE_TYPE_UNKNOWN is a failure only when an error comes with it
    const DWORD type = ::GetFileType(handle);
    if (type != FILE_TYPE_DISK) {
        const DWORD error = ::GetLastError();
        if (type == FILE_TYPE_UNKNOWN && error != ERROR_SUCCESS) {
            look.problem = failure(error);
            return false;
        }
        look.kind = type == FILE_TYPE_CHAR ? FileKind::Device
            : type == FILE_TYPE_PIPE       ? FileKind::NamedPipe
                                           : FileKind::Other;
        return true;
    }
    if (!::GetFileInformationByHandle(handle, &info)) {
        look.problem = failure(::GetLastError());
        return false;
    }
    look.kind = info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY ? FileKind::Folder : FileKind::Regular;
    look.size = look.kind == FileKind::Regular ? combine(info.nFileSizeHigh, info.nFileSizeLow) : 0;
    look.identified = true;
    look.volume = info.dwVolumeSerialNumber;
    look.index = combine(info.nFileIndexHigh, info.nFileIndexLow);
    return true;
}

Look lookAt(const std::filesystem::path& path)
{
    if (path.empty())
        return {};
    DWORD error = ERROR_SUCCESS;
    auto where = wholePath(path, error);
    if (error != ERROR_SUCCESS)
        return failedLook(error);
    if (const auto kind = namespaceKind(where)) {
        Look look;
        look.kind = *kind;
        return look;
    }

    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(where.c_str(), GetFileExInfoStandard, &data))
        return failedLook(::GetLastError());
    Look look;
    look.where = std::move(where);
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
        return look;
    }

    // The attributes of a link to a file are the link's own. Only what it
    // leads to can tell what that is, so that is opened to be asked, with
    // no access to its contents: the way Windows looks through a link.
    const Handle target(::CreateFileW(look.where.c_str(), FILE_READ_ATTRIBUTES, shareAll, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS | openFlags, nullptr));
    if (!target)
        return failedLook(::GetLastError());
    BY_HANDLE_FILE_INFORMATION info{};
    if (!describe(target.get(), look, info))
        look.kind = FileKind::Other;
    return look;
}

} // namespace

FileStatus fileStatus(const std::filesystem::path& path)
{
    const auto look = lookAt(path);
    return {look.kind, look.kind == FileKind::Regular ? look.size : 0, look.problem};
}

FileContents readRegularFile(const std::filesystem::path& path, std::size_t maxBytes)
{
    const auto before = lookAt(path);
    if (!before.problem.empty())
        return {{}, before.problem};
    if (before.kind != FileKind::Regular)
        return {{}, notAFile(before.kind)};
    if (before.size > maxBytes)
        return {{}, tooLarge(before.size, maxBytes)};

    // Without FILE_FLAG_BACKUP_SEMANTICS a folder cannot be opened at all.
    const Handle file(::CreateFileW(before.where.c_str(), GENERIC_READ, shareAll, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN | openFlags, nullptr));
    if (!file)
        return {{}, failure(::GetLastError())};
    Look opened;
    BY_HANDLE_FILE_INFORMATION info{};
    if (!describe(file.get(), opened, info))
        return {{}, opened.problem};
    // A device can pass for a file by its attributes; the handle knows better.
    if (opened.kind != FileKind::Regular && opened.kind != FileKind::Folder)
        return {{}, notAFile(opened.kind)};
    if (opened.kind == FileKind::Folder
        || (before.identified && (opened.volume != before.volume || opened.index != before.index)))
        return {{}, changedWhileOpened()};

    return readWhole(opened.size, maxBytes, [&](char* into, std::size_t room) -> ReadStep {
        const auto wanted = DWORD(std::min<std::size_t>(room, std::size_t(1) << 30));
        DWORD n = 0;
        if (::ReadFile(file.get(), into, wanted, &n, nullptr))
            return {n, {}};
        const DWORD error = ::GetLastError();
        return {0, error == ERROR_HANDLE_EOF ? std::string() : failure(error)};
    });
}

} // namespace lapidor
