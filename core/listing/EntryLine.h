#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "ports/FileSystem.h"

namespace twinpath {

// What orders listed entries whose names compare equal, as text in the names'
// collation: "   >", the size in bytes, ">", "yyyy/mm/dd hh:mm:ss".
std::wstring sizeAndTime(const FindEntry& entry, const std::optional<LocalTime>& lastWrite);

// "yyyy/mm/dd hh:mm:ss" with `dateSeparator` in place of "/"; the digits all
// zero for a time that is unknown or does not fit the 19 characters.
void appendEntryTime(std::wstring& out, const std::optional<LocalTime>& time, wchar_t dateSeparator);

}  // namespace twinpath
