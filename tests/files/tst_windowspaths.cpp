// What whole Windows paths name, from their characters alone: the device,
// pipe and mailslot namespaces that are refused without a look, the roots
// that ".." does not leave, and where a relative link's target leads.
#include "files/WindowsPaths.h"
#include "tests/files/RowCheck.h"

#include <optional>
#include <string_view>

using namespace lapidor;

namespace {

constexpr std::optional<FileKind> inFileSystem = std::nullopt;
constexpr std::optional<FileKind> device = FileKind::Device;
constexpr std::optional<FileKind> pipe = FileKind::NamedPipe;
constexpr std::optional<FileKind> mailslot = FileKind::Other;

struct NamespaceRow {
    const char* name;
    std::wstring_view path;
    std::optional<FileKind> kind;
};

// clang-format off
const NamespaceRow namespaceRows[] = {
    {"drive path", L"C:\\x\\levels.txt", inFileSystem},
    {"drive path with forward slashes", L"C:/x/levels.txt", inFileSystem},
    {"relative name", L"levels.txt", inFileSystem},
    {"device made whole from NUL", L"\\\\.\\NUL", device},
    {"device made whole from C:\\x\\con", L"\\\\.\\con", device},
    {"serial port", L"\\\\.\\COM1", device},
    {"device path with forward slashes", L"//./nul", device},
    {"verbatim device", L"\\\\?\\NUL", device},
    {"object manager device", L"\\??\\NUL", device},
    {"device below the global root", L"\\\\?\\GLOBALROOT\\Device\\Null", device},
    {"verbatim drive path", L"\\\\?\\C:\\x\\levels.txt", inFileSystem},
    {"drive path in the device namespace", L"\\\\.\\C:\\x\\levels.txt", inFileSystem},
    {"object manager drive path", L"\\??\\C:\\x\\levels.txt", inFileSystem},
    {"volume of a drive", L"\\\\.\\C:", device},
    {"volume of a drive, lower case, verbatim", L"\\\\?\\c:", device},
    {"volume of a drive with a name after it", L"\\\\.\\C:levels.txt", device},
    {"volume by its name", L"\\\\?\\Volume{0a1b2c3d}", device},
    {"volume by its name with a trailing name", L"\\\\?\\Volume{0a1b2c3d}x", device},
    {"volume name never closed", L"\\\\?\\Volume{0a1b2c3d\\levels.txt", device},
    {"path on a volume named by its name", L"\\\\?\\Volume{0a1b2c3d}\\levels.txt", inFileSystem},
    {"local named pipe", L"\\\\.\\pipe\\lapidor", pipe},
    {"local named pipe, capitals and forward slashes", L"//./PIPE/lapidor", pipe},
    {"verbatim named pipe", L"\\\\?\\pipe\\lapidor", pipe},
    {"object manager named pipe", L"\\??\\pipe\\lapidor", pipe},
    {"named pipe on a server", L"\\\\server\\pipe\\lapidor", pipe},
    {"pipe share of a server", L"\\\\server\\pipe", pipe},
    {"named pipe on a server, verbatim", L"\\\\?\\UNC\\server\\pipe\\lapidor", pipe},
    {"local mailslot", L"\\\\.\\mailslot\\lapidor", mailslot},
    {"mailslot on a server", L"\\\\server\\mailslot\\lapidor", mailslot},
    {"file on a share", L"\\\\server\\share\\levels.txt", inFileSystem},
    {"file on a share named like the pipe share", L"\\\\server\\pipes\\levels.txt", inFileSystem},
    {"file on a share, verbatim", L"\\\\?\\UNC\\server\\share\\levels.txt", inFileSystem},
    {"server without a share", L"\\\\server", inFileSystem},
};
// clang-format on

struct RootRow {
    const char* name;
    std::wstring_view path;
    std::wstring_view root;
};

// clang-format off
const RootRow rootRows[] = {
    {"drive", L"C:\\x\\link", L"C:"},
    {"drive alone", L"C:", L"C:"},
    {"share", L"\\\\server\\share\\x\\link", L"\\\\server\\share"},
    {"share alone", L"\\\\server\\share", L"\\\\server\\share"},
    {"share with forward slashes", L"//server/share/x", L"//server/share"},
    {"server without a share", L"\\\\server", L"\\\\server"},
    {"verbatim drive", L"\\\\?\\C:\\x\\link", L"\\\\?\\C:"},
    {"drive in the device namespace", L"\\\\.\\C:\\x\\link", L"\\\\.\\C:"},
    {"verbatim share", L"\\\\?\\UNC\\server\\share\\x\\link", L"\\\\?\\UNC\\server\\share"},
    {"volume by its name", L"\\\\?\\Volume{0a1b2c3d}\\x\\link", L"\\\\?\\Volume{0a1b2c3d}"},
};
// clang-format on

struct VerbatimRow {
    const char* name;
    std::wstring_view path;
    bool verbatim;
};

// clang-format off
const VerbatimRow verbatimRows[] = {
    {"verbatim drive path", L"\\\\?\\C:\\levels.txt", true},
    {"verbatim share", L"\\\\?\\UNC\\server\\share\\levels.txt", true},
    {"drive path", L"C:\\levels.txt", false},
    {"drive path in the device namespace", L"\\\\.\\C:\\levels.txt", false},
    {"object manager path", L"\\??\\C:\\levels.txt", false},
};
// clang-format on

struct BesideLinkRow {
    const char* name;
    std::wstring_view link;
    std::wstring_view target;
    std::wstring_view leadsTo;
};

// clang-format off
const BesideLinkRow besideLinkRows[] = {
    {"name in the link's folder", L"C:\\x\\link", L"levels.txt", L"C:\\x\\levels.txt"},
    {"name in a folder below", L"C:\\x\\link", L"y\\levels.txt", L"C:\\x\\y\\levels.txt"},
    {"up one folder", L"C:\\x\\y\\link", L"..\\levels.txt", L"C:\\x\\levels.txt"},
    {"dots that stay", L"C:\\x\\link", L".\\y\\.\\levels.txt", L"C:\\x\\y\\levels.txt"},
    {"down then up", L"C:\\x\\link", L"y\\..\\levels.txt", L"C:\\x\\levels.txt"},
    {"up past the drive's root stays on the drive", L"C:\\x\\link", L"..\\..\\..\\levels.txt", L"C:\\levels.txt"},
    {"up to the drive's root", L"C:\\x\\link", L"..", L"C:\\"},
    {"separator first starts at the drive's root", L"C:\\x\\y\\link", L"\\levels.txt", L"C:\\levels.txt"},
    {"forward slashes", L"C:\\x\\link", L"y/levels.txt", L"C:\\x\\y\\levels.txt"},
    {"doubled separators", L"C:\\x\\link", L"y\\\\levels.txt", L"C:\\x\\y\\levels.txt"},
    {"device name is still a name here", L"C:\\x\\link", L"con", L"C:\\x\\con"},
    {"link on a share", L"\\\\server\\share\\x\\link", L"..\\levels.txt", L"\\\\server\\share\\levels.txt"},
    {"up past a share's root stays on the share", L"\\\\server\\share\\link", L"..\\..\\levels.txt", L"\\\\server\\share\\levels.txt"},
    {"separator first starts at the share's root", L"\\\\server\\share\\x\\link", L"\\levels.txt", L"\\\\server\\share\\levels.txt"},
    {"verbatim link", L"\\\\?\\C:\\x\\y\\link", L"..\\levels.txt", L"\\\\?\\C:\\x\\levels.txt"},
    {"up past a verbatim drive's root", L"\\\\?\\C:\\link", L"..\\..\\levels.txt", L"\\\\?\\C:\\levels.txt"},
    {"up past a verbatim share's root", L"\\\\?\\UNC\\server\\share\\link", L"..\\..\\levels.txt", L"\\\\?\\UNC\\server\\share\\levels.txt"},
};
// clang-format on

} // namespace

int main()
{
    int rows = 0;
    for (const auto& row : namespaceRows) {
        CHECK_EQUAL(row.name, namespaceKind(row.path).has_value(), row.kind.has_value());
        if (row.kind)
            CHECK_EQUAL(row.name, namespaceKind(row.path).value_or(FileKind::Regular), *row.kind);
        ++rows;
    }
    for (const auto& row : rootRows) {
        CHECK_EQUAL(row.name, row.path.substr(0, rootLength(row.path)), row.root);
        ++rows;
    }
    for (const auto& row : verbatimRows) {
        CHECK_EQUAL(row.name, isVerbatim(row.path), row.verbatim);
        ++rows;
    }
    for (const auto& row : besideLinkRows) {
        CHECK_EQUAL(row.name, besideLink(row.link, row.target), row.leadsTo);
        ++rows;
    }
    return lapidor::test::finish(rows);
}
