#include "levels/LevelTable.h"

#include <cstring>

namespace lapidor {

std::string_view LevelTable::ItemList::at(std::ptrdiff_t row) const
{
    if (row < 0 || std::size_t(row) >= count)
        return {};
    const char* start = text.data() + blockStarts[std::size_t(row) / itemsPerBlock];
    const char* end = text.data() + text.size();
    for (auto skipped = std::size_t(row) % itemsPerBlock; skipped > 0; --skipped)
        start = static_cast<const char*>(std::memchr(start, '\n', std::size_t(end - start))) + 1;
    const auto* stop = static_cast<const char*>(std::memchr(start, '\n', std::size_t(end - start)));
    return std::string_view(start, std::size_t(stop - start));
}

void LevelTable::ItemList::append(std::string_view item)
{
    if (count % itemsPerBlock == 0)
        blockStarts.push_back(std::uint32_t(text.size()));
    text.append(item);
    text += '\n';
    ++count;
}

void LevelTable::ItemList::reserve(std::size_t textBytes)
{
    text.reserve(textBytes);
    blockStarts.reserve(textBytes / itemsPerBlock + 1);
}

} // namespace lapidor
