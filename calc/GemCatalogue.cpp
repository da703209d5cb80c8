#include "calc/GemCatalogue.h"

namespace lapidor {

namespace {
constexpr auto rough = GemState::Rough;
constexpr auto cut = GemState::FinelyCut;
} // namespace

// A stone's finely cut value is its rough value plus 15000.
const std::array<GemKind, 24> gemCatalogue = {{
    {"Agate", rough, 5000, "Rough Agate"},
    {"Amethyst", rough, 5000, "Rough Amethyst"},
    {"Aquamarine", rough, 15000, "Rough Aquamarine"},
    {"Carnelian", rough, 5000, "Rough Carnelian"},
    {"Diamond", rough, 10000, "Rough Diamond"},
    {"Emerald", rough, 10000, "Rough Emerald"},
    {"Garnet", rough, 15000, "Rough Garnet"},
    {"Limestone", rough, 15000, "Rough Limestone"},
    {"Malachite", rough, 5000, "Rough Malachite"},
    {"Moonstone", rough, 15000, "Rough Moonstone"},
    {"Ruby", rough, 10000, "Rough Ruby"},
    {"Sapphire", rough, 10000, "Rough Sapphire"},
    {"Agate", cut, 20000, "Finely Cut Agate"},
    {"Amethyst", cut, 20000, "Finely Cut Amethyst"},
    {"Aquamarine", cut, 30000, "Finely Cut Aquamarine"},
    {"Carnelian", cut, 20000, "Finely Cut Carnelian"},
    {"Diamond", cut, 25000, "Finely Cut Diamond"},
    {"Emerald", cut, 25000, "Finely Cut Emerald"},
    {"Garnet", cut, 30000, "Finely Cut Garnet"},
    {"Limestone", cut, 30000, "Finely Cut Limestone"},
    {"Malachite", cut, 20000, "Finely Cut Malachite"},
    {"Moonstone", cut, 30000, "Finely Cut Moonstone"},
    {"Ruby", cut, 25000, "Finely Cut Ruby"},
    {"Sapphire", cut, 25000, "Finely Cut Sapphire"},
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
