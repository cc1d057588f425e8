#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "ports/FileSystem.h"

namespace twinpath {

// The line of one listed entry:
//   kind mark ("D " or "F "), name, "   >", size in bytes, ">", "yyyy/mm/dd hh:mm:ss".
// Split at ">" it gives three fields: the mark with the name, the size, the
// date and time. Names cannot hold ">" on the program's file system.
std::wstring entryLine(const FindEntry& entry, const std::optional<LocalTime>& lastWrite);

// Field `index` (from 0) of an entry line, or empty when the line has fewer fields.
std::wstring_view entryLineField(std::wstring_view line, int index);

}  // namespace twinpath
