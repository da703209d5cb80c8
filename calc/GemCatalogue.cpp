#include "calc/GemCatalogue.h"

namespace lapidor {

namespace {
constexpr auto rough = GemState::Rough;
constexpr auto cut = GemState::FinelyCut;
} // namespace

// A stone's finely cut value is its rough value plus 15000.
const std::array<GemKind, 24> GemCatalogue = {{
    {"Agate", rough, 5000, "Text1", "r", "Rough Agate:"},
    {"Amethyst", rough, 5000, "Text2", "Label1", "Rough Amethyst:"},
    {"Aquamarine", rough, 15000, "Text3", "Label2", "Rough Aquamarine:"},
    {"Carnelian", rough, 5000, "Text4", "Label3", "Rough Carnelian:"},
    {"Diamond", rough, 10000, "Text5", "Label4", "Rough Diamond:"},
    {"Emerald", rough, 10000, "Text6", "Label5", "Rough Emerald:"},
    {"Garnet", rough, 15000, "Text7", "Label6", "Rough Garnet:"},
    {"Limestone", rough, 15000, "Text8", "Label7", "Rough Limestone:"},
    {"Malachite", rough, 5000, "Text9", "Label8", "Rough Malachite:"},
    {"Moonstone", rough, 15000, "Text10", "Label9", "Rough Moonstone:"},
    {"Ruby", rough, 10000, "Text11", "Label10", "Rough Ruby:"},
    {"Sapphire", rough, 10000, "Text12", "Label11", "Rough Sapphire:"},
    {"Agate", cut, 20000, "Text13", "Label12", "Finely Cut Agate:"},
    {"Amethyst", cut, 20000, "Text14", "Label13", "Finely Cut Amethyst:"},
    {"Aquamarine", cut, 30000, "Text15", "Label14", "Finely Cut Aquamarine:"},
    {"Carnelian", cut, 20000, "Text16", "Label15", "Finely Cut Carnelian:"},
    {"Diamond", cut, 25000, "Text17", "Label16", "Finely Cut Diamond:"},
    {"Emerald", cut, 25000, "Text18", "Label17", "Finely Cut Emerald:"},
    {"Garnet", cut, 30000, "Text19", "Label18", "Finely Cut Garnet:"},
    {"Limestone", cut, 30000, "Text20", "Label19", "Finely Cut Limestone:"},
    {"Malachite", cut, 20000, "Text21", "Label20", "Finely Cut Malachite:"},
    {"Moonstone", cut, 30000, "Text22", "Label21", "Finely Cut Moonstone:"},
    {"Ruby", cut, 25000, "Text23", "Label22", "Finely Cut Ruby:"},
    {"Sapphire", cut, 25000, "Text24", "Label23", "Finely Cut Sapphire:"},
}};

std::span<const GemKind, 12> roughGems()
{
    return std::span(GemCatalogue).first<12>();
}

std::span<const GemKind, 12> finelyCutGems()
{
    return std::span(GemCatalogue).last<12>();
}

} // namespace lapidor
