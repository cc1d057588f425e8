#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"

namespace twinpath {

// The status line of one listed entry:
//   kind mark ("D " or "F "), name, "   >", size in bytes, ">", "yyyy/mm/dd hh:mm:ss".
// Split at ">" it gives three fields: the mark with the name, the size, the
// date and time. Names cannot hold ">" on the program's file system.
std::wstring statusLine(const FindEntry& entry, const std::optional<LocalTime>& lastWrite);

// Field `index` (from 0) of a status line, or empty when the line has fewer fields.
std::wstring_view statusField(std::wstring_view line, int index);

}  // namespace twinpath
