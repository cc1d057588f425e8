#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace twinpath {

enum class ListMode { NamesOnly, SizeAndDate };

// The text of a listing for the clipboard: the heading "DIR : folder", an
// empty line, in the size-and-date mode a column header, then one line per
// entry; every line ends with CR LF. The tables are those of clsLngLst, after
// the sort; tables that were never filled give the heading alone.
std::wstring buildListingReport(const std::wstring& folderText, const std::vector<std::wstring>& tblFileName,
                                const std::vector<std::wstring>& tblFileStatus, ListMode mode);

// The 7-character size column of a file: its size in KB, or in MB, GB or "??"
// once the number would need more than five digits, right-aligned.
std::wstring scaledSizeColumn(std::uint64_t bytes);

}  // namespace twinpath
