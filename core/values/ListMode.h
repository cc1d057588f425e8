#pragma once

#include <cstddef>

namespace twinpath {

// What a listing report holds per entry: the name alone; the size and the
// date and time of last write before it; or, for spreadsheets, the name,
// kind, size in bytes and time in tab-separated columns.
enum class ListMode { NamesOnly, SizeAndDate, TabSeparated };
inline constexpr std::size_t kListModeCount = 3;
static_assert(static_cast<std::size_t>(ListMode::TabSeparated) + 1 == kListModeCount);

}  // namespace twinpath
