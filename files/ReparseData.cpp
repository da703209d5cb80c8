#include "files/ReparseData.h"

#include "files/WindowsPaths.h"

namespace lapidor {

namespace {

// The little-endian number of `size` bytes at `at`, which the caller has
// checked lies within the data.
std::uint32_t number(std::span<const unsigned char> data, std::size_t at, std::size_t size)
{
    std::uint32_t value = 0;
    for (std::size_t i = size; i-- > 0;)
        value = value << 8 | data[at + i];
    return value;
}

} // namespace

std::wstring linkTarget(std::wstring_view link, std::span<const unsigned char> data)
{
    // The tag, the length of the rest and two bytes unused; then where the
    // target's name lies among the names and its length, the same for the
    // name shown to people, for a symlink its flags, and the names. Only the
    // target's name counts: the one shown to people may say anything.
    if (data.size() < 8)
        return {};
    const auto tag = number(data, 0, 4);
    std::size_t names = 0;
    if (tag == symlinkTag)
        names = 20;
    else if (tag == junctionTag)
        names = 16;
    else
        return {};
    if (data.size() < names)
        return {};
    const std::size_t offset = number(data, 8, 2);
    const std::size_t length = number(data, 10, 2);
    if (offset % 2 != 0 || length % 2 != 0 || length == 0 || names + offset + length > data.size())
        return {};
    std::wstring target;
    for (std::size_t at = names + offset; at < names + offset + length; at += 2) {
        const auto unit = wchar_t(number(data, at, 2));
        if (unit == L'\0')
            return {};
        target += unit;
    }

    if (tag == symlinkTag && (number(data, 16, 4) & relativeSymlinkFlag))
        return besideLink(link, target);
    // "\??\C:\levels.txt" names the same file as "\\?\C:\levels.txt", and
    // "\??\pipe\x" the same pipe as "\\?\pipe\x". Names outside those of
    // drives, shares and devices have no path that could be looked at.
    if (!pathStartsWith(target, L"\\??\\"))
        return {};
    return L"\\\\?\\" + target.substr(4);
}

} // namespace lapidor
