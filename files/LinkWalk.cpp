#include "files/LinkWalk.h"

#include "files/ReparseData.h"
#include "files/WindowsPaths.h"

#include <utility>

namespace lapidor {

namespace {

FileStatus statusOf(FileKind kind, std::uintmax_t size = 0)
{
    FileStatus status;
    status.kind = kind;
    status.size = size;
    return status;
}

FileStatus tooManyLinks()
{
    FileStatus status = statusOf(FileKind::Other);
    status.problem.kind = FileProblem::Kind::System;
    status.problem.code = tooManyLinksCode;
    status.problem.words = "Too many levels of symbolic links";
    return status;
}

} // namespace

WalkEnd walkLinks(const std::wstring& path, LinkWalkSystem& system)
{
    if (path.empty())
        return {};
    auto whole = system.makeWhole(path);
    if (whole.path.empty())
        return {whole.failure, {}};
    auto where = std::move(whole.path);
    for (int links = 0;; ++links) {
        if (const auto kind = namespaceKind(where))
            return {statusOf(*kind), {}};
        const auto entry = system.look(where);
        if (!entry.found)
            return {entry.failure, {}};
        // A link to a folder is marked as a folder itself, and refused as one.
        if (entry.attributes & folderAttribute)
            return {statusOf(FileKind::Folder), {}};
        if (entry.attributes & deviceAttribute)
            return {statusOf(FileKind::Device), {}};
        if (!(entry.attributes & reparseAttribute))
            return {statusOf(FileKind::Regular, entry.size), std::move(where)};
        // The look at a link to a file tells of the link alone. What it leads
        // to is looked at in turn, by its path.
        if (links == mostLinks)
            return {tooManyLinks(), {}};
        const auto data = system.readLink(where);
        if (data.read == LinkWalkSystem::LinkData::Read::Failed)
            return {data.failure, {}};
        if (data.read == LinkWalkSystem::LinkData::Read::NoLinkThere)
            continue; // something else stands there now: look again
        auto target = linkTarget(where, data.bytes);
        if (target.empty())
            return {statusOf(FileKind::Other), {}};
        if (!isVerbatim(target)) {
            whole = system.makeWhole(target);
            if (whole.path.empty())
                return {whole.failure, {}};
            target = std::move(whole.path);
        }
        where = std::move(target);
    }
}

} // namespace lapidor
