#include "files/PathSwapHook.h"

namespace lapidor {

namespace {
PathSwapHook& hook()
{
    static PathSwapHook installed;
    return installed;
}
} // namespace

void setPathSwapHook(PathSwapHook newHook)
{
    hook() = std::move(newHook);
}

void runPathSwapHook(const std::filesystem::path& path)
{
    if (const auto& installed = hook())
        installed(path);
}

} // namespace lapidor
