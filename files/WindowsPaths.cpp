#include "files/WindowsPaths.h"

#include <algorithm>
#include <vector>

namespace lapidor {

namespace {

bool isSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

// "server\share\..." of a network path: the share "pipe" holds named pipes
// and "mailslot" mailslots, on any machine.
std::optional<FileKind> shareKind(std::wstring_view serverAndShare)
{
    const auto end = std::find_if(serverAndShare.begin(), serverAndShare.end(), isSeparator);
    if (end == serverAndShare.end())
        return std::nullopt;
    const std::wstring_view rest(end + 1, serverAndShare.end());
    if (pathStartsWith(rest, L"pipe\\") || (rest.size() == 4 && pathStartsWith(rest, L"pipe")))
        return FileKind::NamedPipe;
    if (pathStartsWith(rest, L"mailslot\\"))
        return FileKind::Other;
    return std::nullopt;
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

} // namespace

bool pathStartsWith(std::wstring_view path, std::wstring_view start)
{
    if (path.size() < start.size())
        return false;
    for (std::size_t i = 0; i < start.size(); ++i) {
        const auto lower = [](wchar_t c) { return c >= L'A' && c <= L'Z' ? wchar_t(c - L'A' + L'a') : c; };
        if (lower(path[i]) != lower(start[i]) && !(isSeparator(path[i]) && isSeparator(start[i])))
            return false;
    }
    return true;
}

std::optional<FileKind> namespaceKind(std::wstring_view path)
{
    if (pathStartsWith(path, L"\\\\.\\") || pathStartsWith(path, L"\\\\?\\") || pathStartsWith(path, L"\\??\\")) {
        const auto rest = path.substr(4);
        // "C:\levels.txt" is on the drive; "C:" alone is the volume itself.
        if (rest.size() >= 2 && ((rest[0] >= L'A' && rest[0] <= L'Z') || (rest[0] >= L'a' && rest[0] <= L'z'))
            && rest[1] == L':')
            return rest.size() > 2 && isSeparator(rest[2]) ? std::nullopt : std::optional(FileKind::Device);
        if (pathStartsWith(rest, L"UNC\\"))
            return shareKind(rest.substr(4));
        if (pathStartsWith(rest, L"Volume{")) {
            const auto close = rest.find(L'}');
            if (close != std::wstring_view::npos && close + 1 < rest.size() && isSeparator(rest[close + 1]))
                return std::nullopt;
            return FileKind::Device;
        }
        if (pathStartsWith(rest, L"pipe\\"))
            return FileKind::NamedPipe;
        if (pathStartsWith(rest, L"mailslot\\"))
            return FileKind::Other;
        return FileKind::Device;
    }
    if (path.size() > 2 && isSeparator(path[0]) && isSeparator(path[1]))
        return shareKind(path.substr(2));
    return std::nullopt;
}

bool isVerbatim(std::wstring_view path)
{
    return pathStartsWith(path, L"\\\\?\\");
}

std::size_t rootLength(std::wstring_view path)
{
    std::size_t at = 0;
    int names = 0;
    if (isVerbatim(path) || pathStartsWith(path, L"\\\\.\\")) {
        at = 4;
        names = 1;
        if (pathStartsWith(path.substr(at), L"UNC\\")) {
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

} // namespace lapidor
