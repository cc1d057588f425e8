#pragma once

namespace twinpath {

// What a listing report holds per entry: the name alone, or the size and
// the date and time of last write before it.
enum class ListMode { NamesOnly, SizeAndDate };

}  // namespace twinpath
