// Where a symlink or junction leads, read from reparse data laid out as
// Windows hands it over, and data that does not hold together, which is
// never followed.
#include "files/ReparseData.h"
#include "tests/files/RowCheck.h"

#include <cstdint>
#include <string_view>
#include <vector>

using namespace lapidor;
using namespace std::string_view_literals;

namespace {

using Bytes = std::vector<unsigned char>;

void putNumber(Bytes& bytes, std::size_t at, std::uint32_t value, std::size_t size)
{
    if (bytes.size() < at + size)
        bytes.resize(at + size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[at + i] = static_cast<unsigned char>(value >> (8 * i));
}

void putName(Bytes& bytes, std::u16string_view name)
{
    for (const char16_t unit : name) {
        bytes.push_back(static_cast<unsigned char>(unit & 0xff));
        bytes.push_back(static_cast<unsigned char>(unit >> 8));
    }
}

// The tag, the length of the rest and two bytes unused; the target's offset
// among the names and its length, the same for the name shown to people;
// a symlink's flags; then the names. Windows writes the target first, but
// only the offsets say where each lies, so the shown name may come first.
Bytes reparseData(std::uint32_t tag, std::u16string_view target, std::u16string_view shownName, std::uint32_t flags,
                  bool shownFirst = false)
{
    const std::size_t names = tag == symlinkTag ? 20 : 16;
    Bytes bytes;
    putNumber(bytes, 0, tag, 4);
    const auto targetOffset = shownFirst ? 2 * shownName.size() : 0;
    const auto shownOffset = shownFirst ? 0 : 2 * target.size();
    putNumber(bytes, 8, std::uint32_t(targetOffset), 2);
    putNumber(bytes, 10, std::uint32_t(2 * target.size()), 2);
    putNumber(bytes, 12, std::uint32_t(shownOffset), 2);
    putNumber(bytes, 14, std::uint32_t(2 * shownName.size()), 2);
    if (tag == symlinkTag)
        putNumber(bytes, 16, flags, 4);
    bytes.resize(names);
    putName(bytes, shownFirst ? shownName : target);
    putName(bytes, shownFirst ? target : shownName);
    putNumber(bytes, 4, std::uint32_t(bytes.size() - 8), 2);
    return bytes;
}

Bytes symlink(std::u16string_view target)
{
    return reparseData(symlinkTag, target, u"C:\\shown", 0);
}

Bytes relativeSymlink(std::u16string_view target)
{
    return reparseData(symlinkTag, target, target, relativeSymlinkFlag);
}

Bytes junction(std::u16string_view target)
{
    return reparseData(junctionTag, target, u"C:\\shown", 0);
}

// The first bytes alone, in storage of just their size, so that the
// sanitized build catches a read past them.
Bytes cut(const Bytes& bytes, std::size_t size)
{
    return Bytes(bytes.begin(), bytes.begin() + std::ptrdiff_t(size));
}

Bytes withNumber(Bytes bytes, std::size_t at, std::uint32_t value, std::size_t size)
{
    putNumber(bytes, at, value, size);
    return bytes;
}

const std::u16string_view toFile = u"\\??\\C:\\levels.txt";

struct Row {
    const char* name;
    std::wstring_view link;
    Bytes data;
    std::wstring_view leadsTo; // empty: not followed
};

// clang-format off
const Row rows[] = {
    {"symlink to a drive path", L"C:\\x\\link", symlink(toFile), L"\\\\?\\C:\\levels.txt"},
    {"junction to a folder", L"C:\\x\\link", junction(u"\\??\\C:\\folder\\"), L"\\\\?\\C:\\folder\\"},
    {"symlink to a file on a share", L"C:\\x\\link", symlink(u"\\??\\UNC\\server\\share\\levels.txt"), L"\\\\?\\UNC\\server\\share\\levels.txt"},
    {"symlink to a named pipe keeps its name", L"C:\\x\\link", symlink(u"\\??\\pipe\\lapidor"), L"\\\\?\\pipe\\lapidor"},
    {"junction to a device keeps its name", L"C:\\x\\link", junction(u"\\??\\NUL"), L"\\\\?\\NUL"},
    {"relative symlink beside the link", L"C:\\x\\y\\link", relativeSymlink(u"..\\levels.txt"), L"C:\\x\\levels.txt"},
    {"relative symlink beside a verbatim link", L"\\\\?\\C:\\x\\link", relativeSymlink(u"levels.txt"), L"\\\\?\\C:\\x\\levels.txt"},
    {"relative symlink to a device name, still to be made whole", L"C:\\x\\link", relativeSymlink(u"con"), L"C:\\x\\con"},
    {"relative flag among others", L"C:\\x\\link", reparseData(symlinkTag, u"levels.txt", u"", 0x8000'0001), L"C:\\x\\levels.txt"},
    {"target found by its offset, after the shown name", L"C:\\x\\link", reparseData(symlinkTag, toFile, u"\\??\\C:\\shown.txt", 0, true), L"\\\\?\\C:\\levels.txt"},
    {"junction's target found by its offset", L"C:\\x\\link", reparseData(junctionTag, toFile, u"\\??\\C:\\shown.txt", 0, true), L"\\\\?\\C:\\levels.txt"},
    {"names beyond ASCII read as UTF-16LE", L"C:\\x\\link", symlink(u"\\??\\C:\\\u5b9d\u00f6.txt"), L"\\\\?\\C:\\\u5b9d\u00f6.txt"},
    {"absolute symlink with other flags", L"C:\\x\\link", reparseData(symlinkTag, toFile, u"", 0x8000'0002), L"\\\\?\\C:\\levels.txt"},
    {"junction with its shown name first, which has no flags", L"C:\\x\\link", reparseData(junctionTag, toFile, u"C:\\levels.txt", 0, true), L"\\\\?\\C:\\levels.txt"},
    {"absolute symlink with a relative name", L"C:\\x\\link", symlink(u"levels.txt"), L""},
    {"junction with a relative name", L"C:\\x\\link", junction(u"..\\levels.txt"), L""},
    {"name outside drives, shares and devices", L"C:\\x\\link", symlink(u"\\Device\\HarddiskVolume1\\levels.txt"), L""},
    {"another kind of reparse point", L"C:\\x\\link", withNumber(symlink(toFile), 0, 0x9000'601a, 4), L""},
    {"no data", L"C:\\x\\link", Bytes(), L""},
    {"shorter than its tag and length", L"C:\\x\\link", cut(symlink(toFile), 7), L""},
    {"cut within the target's offset and length", L"C:\\x\\link", cut(relativeSymlink(u"levels.txt"), 10), L""},
    {"symlink cut before its names", L"C:\\x\\link", cut(symlink(toFile), 19), L""},
    {"junction cut before its names", L"C:\\x\\link", cut(junction(u"\\??\\C:\\folder"), 15), L""},
    {"target cut short", L"C:\\x\\link", cut(symlink(toFile), 20 + 2 * toFile.size() - 1), L""},
    {"target's offset past the data", L"C:\\x\\link", withNumber(relativeSymlink(u"levels.txt"), 8, 0xfffe, 2), L""},
    {"target's offset odd", L"C:\\x\\link", withNumber(relativeSymlink(u"levels.txt"), 8, 1, 2), L""},
    {"target's length odd", L"C:\\x\\link", withNumber(relativeSymlink(u"levels.txt"), 10, 5, 2), L""},
    {"target empty", L"C:\\x\\link", relativeSymlink(u""), L""},
    {"NUL within the target", L"C:\\x\\link", relativeSymlink(u"levels.txt\0.exe"sv), L""},
};
// clang-format on

} // namespace

int main()
{
    int count = 0;
    for (const auto& row : rows) {
        CHECK_EQUAL(row.name, linkTarget(row.link, row.data), row.leadsTo);
        ++count;
    }
    return lapidor::test::finish(count);
}
