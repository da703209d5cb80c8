// The walk from a path to what stands at its end, against a made-up file
// system: links followed by name and at most 32 deep, devices and pipes
// refused by name without a look, and nothing opened but links, as
// themselves.
#include "files/LinkWalk.h"
#include "files/ReparseData.h"
#include "files/WindowsPaths.h"
#include "tests/files/RowCheck.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

using namespace lapidor;

namespace {

using Bytes = std::vector<unsigned char>;
using Read = LinkWalkSystem::LinkData::Read;

// Symlink data as Windows lays it out (tst_reparsedata checks the layout
// itself): tag, lengths, offsets, flags, then the target alone.
Bytes symlinkData(std::wstring_view target, bool relative)
{
    Bytes bytes(20, 0);
    const auto put = [&](std::size_t at, std::uint32_t value, std::size_t size) {
        for (std::size_t i = 0; i < size; ++i)
            bytes[at + i] = static_cast<unsigned char>(value >> (8 * i));
    };
    put(0, symlinkTag, 4);
    put(4, std::uint32_t(12 + 2 * target.size()), 2);
    put(10, std::uint32_t(2 * target.size()), 2);
    put(16, relative ? relativeSymlinkFlag : 0, 4);
    for (const wchar_t c : target) {
        bytes.push_back(static_cast<unsigned char>(c & 0xff));
        bytes.push_back(static_cast<unsigned char>((c >> 8) & 0xff));
    }
    return bytes;
}

FileStatus statusOf(FileKind kind, std::uintmax_t size = 0)
{
    FileStatus status;
    status.kind = kind;
    status.size = size;
    return status;
}

FileStatus systemFailure(int code, const char* words)
{
    FileStatus status = statusOf(FileKind::Other);
    status.problem.kind = FileProblem::Kind::System;
    status.problem.code = code;
    status.problem.words = words;
    return status;
}

// Attributes as Windows gives them, beside those the walk reads.
constexpr std::uint32_t readOnly = 0x1;
constexpr std::uint32_t archive = 0x20;

// What stands at one place of the made-up file system.
struct Thing {
    std::uint32_t attributes = archive;
    std::uintmax_t size = 0;
    Read read = Read::Data;
    Bytes data;                // of a link
    bool fileOnceRead = false; // a link that turns into a file of 5 bytes once its data is asked for
};

Thing with(std::uint32_t attributes, std::uintmax_t size = 0)
{
    Thing thing;
    thing.attributes = attributes;
    thing.size = size;
    return thing;
}

Thing file(std::uintmax_t size)
{
    return with(archive, size);
}

Thing linkWith(Read read, Bytes data = {}, std::uint32_t attributes = archive | reparseAttribute)
{
    Thing thing = with(attributes);
    thing.read = read;
    thing.data = std::move(data);
    return thing;
}

Thing link(std::wstring_view target, bool relative = false)
{
    return linkWith(Read::Data, symlinkData(target, relative));
}

// A file system of a few places, in which a path and its verbatim form
// name the same place, and which makes paths whole the way Windows would
// for the few that are not whole already. It notes whether the walk asked
// anything of a device, a pipe or a mailslot, or opened anything but a link,
// and how many links it opened.
class MadeUpSystem : public LinkWalkSystem {
public:
    MadeUpSystem()
    {
        things_[L"C:\\levels.txt"] = file(42);
        things_[L"C:\\work\\levels.txt"] = file(7);
        things_[L"C:\\read-only.txt"] = with(readOnly | archive, 3);
        things_[L"C:\\folder"] = with(folderAttribute);
        things_[L"C:\\device"] = with(deviceAttribute);
        things_[L"C:\\links\\to-file"] = link(L"\\??\\C:\\levels.txt");
        things_[L"C:\\links\\relative"] = link(L"..\\levels.txt", true);
        things_[L"C:\\links\\to-link"] = link(L"\\??\\C:\\links\\relative");
        things_[L"C:\\links\\to-folder"]
            = linkWith(Read::Data, symlinkData(L"\\??\\C:\\folder", false), reparseAttribute);
        // A link to a folder is marked as a folder itself; this one's data leads to a file.
        things_[L"C:\\links\\folder-link"]
            = linkWith(Read::Data, symlinkData(L"\\??\\C:\\levels.txt", false), folderAttribute | reparseAttribute);
        things_[L"C:\\links\\to-pipe"] = link(L"\\??\\pipe\\lapidor");
        things_[L"C:\\links\\to-pipe-on-share"] = link(L"\\??\\UNC\\server\\pipe\\lapidor");
        things_[L"C:\\links\\to-nul"] = link(L"\\??\\NUL");
        things_[L"C:\\links\\to-con"] = link(L"con", true);
        things_[L"C:\\links\\to-pipe-by-dots"] = link(L"..\\..\\..\\..\\.\\pipe\\lapidor", true);
        things_[L"C:\\links\\dangling"] = link(L"\\??\\C:\\missing");
        things_[L"C:\\links\\loop-a"] = link(L"loop-b", true);
        things_[L"C:\\links\\loop-b"] = link(L"loop-a", true);
        // chain-1 leads to chain-2, and so on; chain-33 leads to the file.
        for (int i = 1; i <= 33; ++i)
            things_[L"C:\\links\\chain-" + std::to_wstring(i)]
                = link(i < 33 ? L"\\??\\C:\\links\\chain-" + std::to_wstring(i + 1) : L"\\??\\C:\\levels.txt");
        things_[L"C:\\links\\other-kind"] = linkWith(Read::Data, withTag(0x9000'601a));
        things_[L"C:\\links\\garbled"] = linkWith(Read::Data, Bytes{0x0c, 0x00, 0x00});
        things_[L"C:\\links\\unreadable"] = linkWith(Read::Failed);
        things_[L"C:\\links\\swapped"] = linkWith(Read::NoLinkThere);
        things_[L"C:\\links\\swapped"].fileOnceRead = true;
        things_[L"C:\\links\\never-settles"] = linkWith(Read::NoLinkThere);
        things_[L"C:\\links\\to-too-long"] = link(L"too-long", true);
    }

    WholePath makeWhole(const std::wstring& path) override
    {
        if (path == L"levels.txt")
            return {L"C:\\work\\levels.txt", {}};
        if (path == L"NUL")
            return {L"\\\\.\\NUL", {}};
        if (path == L"C:\\links\\con")
            return {L"\\\\.\\con", {}};
        if (path == L"C:\\links\\too-long")
            return {{}, systemFailure(206, "File name too long")};
        return {path, {}};
    }

    Entry look(const std::wstring& path) override
    {
        if (namespaceKind(path))
            strayed_ = true;
        const auto found = things_.find(place(path));
        if (found == things_.end())
            return {false, 0, 0, statusOf(FileKind::Missing)};
        return {true, found->second.attributes, found->second.size, {}};
    }

    LinkData readLink(const std::wstring& path) override
    {
        ++linksOpened_;
        const auto found = things_.find(place(path));
        if (namespaceKind(path) || found == things_.end() || !(found->second.attributes & reparseAttribute)) {
            strayed_ = true;
            return {Read::Failed, {}, statusOf(FileKind::Other)};
        }
        auto& thing = found->second;
        if (thing.read == Read::Failed)
            return {Read::Failed, {}, systemFailure(5, "Permission denied")};
        LinkData answer{thing.read, thing.data, {}};
        if (thing.fileOnceRead)
            thing = file(5);
        return answer;
    }

    bool strayed() const { return strayed_; }
    int linksOpened() const { return linksOpened_; }

private:
    static std::wstring place(std::wstring_view path)
    {
        if (path.starts_with(L"\\\\?\\C:"))
            path.remove_prefix(4);
        return std::wstring(path);
    }

    static Bytes withTag(std::uint32_t tag)
    {
        auto bytes = symlinkData(L"\\??\\C:\\levels.txt", false);
        for (std::size_t i = 0; i < 4; ++i)
            bytes[i] = static_cast<unsigned char>(tag >> (8 * i));
        return bytes;
    }

    std::map<std::wstring, Thing> things_;
    bool strayed_ = false;
    int linksOpened_ = 0;
};

constexpr auto none = FileProblem::Kind::None;
constexpr auto refused = FileProblem::Kind::System;

struct Row {
    const char* name;
    std::wstring_view path;
    FileKind kind;
    std::wstring_view where; // of a regular file: the path to open
    std::uintmax_t size;
    FileProblem::Kind problem;
    int code;
};

// clang-format off
const Row rows[] = {
    {"file", L"C:\\levels.txt", FileKind::Regular, L"C:\\levels.txt", 42, none, 0},
    {"relative path made whole first", L"levels.txt", FileKind::Regular, L"C:\\work\\levels.txt", 7, none, 0},
    {"empty path", L"", FileKind::Missing, L"", 0, none, 0},
    {"nothing there", L"C:\\missing", FileKind::Missing, L"", 0, none, 0},
    {"path that cannot be made whole", L"C:\\links\\too-long", FileKind::Other, L"", 0, refused, 206},
    {"file with more attributes", L"C:\\read-only.txt", FileKind::Regular, L"C:\\read-only.txt", 3, none, 0},
    {"folder", L"C:\\folder", FileKind::Folder, L"", 0, none, 0},
    {"link to a folder, marked as a folder", L"C:\\links\\folder-link", FileKind::Folder, L"", 0, none, 0},
    {"device by its look", L"C:\\device", FileKind::Device, L"", 0, none, 0},
    {"device by the name made whole", L"NUL", FileKind::Device, L"", 0, none, 0},
    {"named pipe by name", L"\\\\.\\pipe\\lapidor", FileKind::NamedPipe, L"", 0, none, 0},
    {"symlink to a file", L"C:\\links\\to-file", FileKind::Regular, L"\\\\?\\C:\\levels.txt", 42, none, 0},
    {"relative symlink beside the link", L"C:\\links\\relative", FileKind::Regular, L"C:\\levels.txt", 42, none, 0},
    {"link to a relative link, whose target stays verbatim", L"C:\\links\\to-link", FileKind::Regular, L"\\\\?\\C:\\levels.txt", 42, none, 0},
    {"link to a folder", L"C:\\links\\to-folder", FileKind::Folder, L"", 0, none, 0},
    {"link to a named pipe", L"C:\\links\\to-pipe", FileKind::NamedPipe, L"", 0, none, 0},
    {"link to a named pipe on a share", L"C:\\links\\to-pipe-on-share", FileKind::NamedPipe, L"", 0, none, 0},
    {"link to a device", L"C:\\links\\to-nul", FileKind::Device, L"", 0, none, 0},
    {"relative link to a device name", L"C:\\links\\to-con", FileKind::Device, L"", 0, none, 0},
    {"relative link that climbs past its drive's root", L"C:\\links\\to-pipe-by-dots", FileKind::Missing, L"", 0, none, 0},
    {"dangling link", L"C:\\links\\dangling", FileKind::Missing, L"", 0, none, 0},
    {"links in a loop", L"C:\\links\\loop-a", FileKind::Other, L"", 0, refused, tooManyLinksCode},
    {"32 links are followed", L"C:\\links\\chain-2", FileKind::Regular, L"\\\\?\\C:\\levels.txt", 42, none, 0},
    {"33 links are too many", L"C:\\links\\chain-1", FileKind::Other, L"", 0, refused, tooManyLinksCode},
    {"another kind of reparse point", L"C:\\links\\other-kind", FileKind::Other, L"", 0, none, 0},
    {"garbled link data", L"C:\\links\\garbled", FileKind::Other, L"", 0, none, 0},
    {"link that cannot be read", L"C:\\links\\unreadable", FileKind::Other, L"", 0, refused, 5},
    {"link swapped for a file since the look", L"C:\\links\\swapped", FileKind::Regular, L"C:\\links\\swapped", 5, none, 0},
    {"link that never stays put", L"C:\\links\\never-settles", FileKind::Other, L"", 0, refused, tooManyLinksCode},
    {"relative link whose target cannot be made whole", L"C:\\links\\to-too-long", FileKind::Other, L"", 0, refused, 206},
};
// clang-format on

} // namespace

int main()
{
    int count = 0;
    for (const auto& row : rows) {
        MadeUpSystem made;
        const auto end = walkLinks(std::wstring(row.path), made);
        CHECK_EQUAL(row.name, end.status.kind, row.kind);
        CHECK_EQUAL(row.name, end.where, row.where);
        CHECK_EQUAL(row.name, end.status.size, row.size);
        CHECK_EQUAL(row.name, end.status.problem.kind, row.problem);
        CHECK_EQUAL(row.name, end.status.problem.code, row.code);
        CHECK_EQUAL(row.name, made.strayed(), false);
        CHECK_EQUAL(row.name, made.linksOpened() <= 32, true);
        ++count;
    }
    return lapidor::test::finish(count);
}
