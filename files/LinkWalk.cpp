#include "files/LinkWalk.h"

#include "files/ReparseData.h"
#include "files/WindowsPaths.h"

#include <utility>

namespace lapidor {

namespace {

FileStatus notFollowed()
{
    FileStatus status;
    status.kind = FileKind::Other;
    return status;
}

FileStatus tooManyLinks()
{
    FileStatus status = notFollowed();
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
        if (const auto kind = namespaceKind(where)) {
            FileStatus status;
            status.kind = *kind;
            return {status, {}};
        }
        auto entry = system.look(where);
        if (!entry.link) {
            if (entry.status.kind != FileKind::Regular)
                return {entry.status, {}};
            return {entry.status, std::move(where)};
        }
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
            return {notFollowed(), {}};
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
