#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <span>
#include <string>

#include "win32/DdeNames.h"

namespace twinpath::win32 {

// How much of a poke to read. Any code page spends at most four bytes on a
// UTF-16 unit, so a prefix this long without a NUL is always over the limit:
// a longer poke never needs to be read whole to be refused.
inline constexpr std::size_t kPokeBytesToRead = (kMaxPokeChars + 1) * 4;

// The text carried by (the first bytes of) a poke: CF_UNICODETEXT, or CF_TEXT
// from older clients, in the code page `ansiCodePage` (the system's ANSI code
// page, which such clients write in). The text ends at the first NUL.
// Nothing for any other format or for text over kMaxPokeChars.
std::optional<std::wstring> textFromPoke(UINT format, std::span<const std::byte> bytes, UINT ansiCodePage = CP_ACP);

}  // namespace twinpath::win32
