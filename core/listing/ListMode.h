#pragma once

namespace twinpath {

// What a listing report holds per entry: the name alone; the size and the
// date and time of last write before it; or, for spreadsheets, the name,
// kind, size in bytes and time in tab-separated columns.
enum class ListMode { NamesOnly, SizeAndDate, TabSeparated };

}  // namespace twinpath
