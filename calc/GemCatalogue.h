#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace lapidor {

enum class GemState { Rough, FinelyCut };

struct GemKind {
    std::string_view stone;
    GemState state;
    std::int16_t xpPerGem;
};

// The 24 gem kinds: the twelve rough stones, then the same twelve finely cut,
// each group in stone order. Sums are formed in this order.
extern const std::array<GemKind, 24> gemCatalogue;

std::span<const GemKind, 12> roughGems();
std::span<const GemKind, 12> finelyCutGems();

} // namespace lapidor
