#pragma once

// Why a file was not read, in the same words on every system; for the
// platform branches of RegularFile only.

#include <cstddef>
#include <cstdint>
#include <string>

namespace lapidor {

std::string tooLarge(std::uintmax_t size, std::size_t maxBytes);
std::string grewWhileRead(std::size_t maxBytes);
std::string changedWhileOpened();

} // namespace lapidor
