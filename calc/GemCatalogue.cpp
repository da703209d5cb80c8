#include "calc/GemCatalogue.h"

namespace lapidor {

namespace {
constexpr auto rough = GemState::Rough;
constexpr auto cut = GemState::FinelyCut;
} // namespace

// A stone's finely cut value is its rough value plus 15000.
const std::array<GemKind, 24> gemCatalogue = {{
    {"Agate", rough, 5000},     {"Amethyst", rough, 5000},   {"Aquamarine", rough, 15000}, {"Carnelian", rough, 5000},
    {"Diamond", rough, 10000},  {"Emerald", rough, 10000},   {"Garnet", rough, 15000},     {"Limestone", rough, 15000},
    {"Malachite", rough, 5000}, {"Moonstone", rough, 15000}, {"Ruby", rough, 10000},       {"Sapphire", rough, 10000},
    {"Agate", cut, 20000},      {"Amethyst", cut, 20000},    {"Aquamarine", cut, 30000},   {"Carnelian", cut, 20000},
    {"Diamond", cut, 25000},    {"Emerald", cut, 25000},     {"Garnet", cut, 30000},       {"Limestone", cut, 30000},
    {"Malachite", cut, 20000},  {"Moonstone", cut, 30000},   {"Ruby", cut, 25000},         {"Sapphire", cut, 25000},
}};

std::span<const GemKind, 12> roughGems()
{
    return std::span(gemCatalogue).first<12>();
}

std::span<const GemKind, 12> finelyCutGems()
{
    return std::span(gemCatalogue).last<12>();
}

} // namespace lapidor
