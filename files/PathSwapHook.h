#pragma once

#include <filesystem>
#include <functional>

namespace lapidor {

// Between looking at a path and using what stands there, another program
// may put something else in its place. Code that looks, then uses, calls
// runPathSwapHook in that gap; tests set a hook there to play the other
// program. Without a hook (always, outside tests) it does nothing.
using PathSwapHook = std::function<void(const std::filesystem::path&)>;

void setPathSwapHook(PathSwapHook hook); // an empty hook removes it
void runPathSwapHook(const std::filesystem::path& path);

} // namespace lapidor
