#pragma once

#include <cstddef>

namespace twinpath::win32 {

// The names a second copy uses to reach the running one. They are the program's
// public hand-off: peer programs poke the same names, so they never change.
inline constexpr wchar_t kDdeService[] = L"TwinP";
inline constexpr wchar_t kDdeTopic[] = L"LinkMainForm";
inline constexpr wchar_t kDdeItem[] = L"LinkLabel";

// The longest text a poke may carry, in UTF-16 units: the longest command line
// Windows passes to a program.
inline constexpr std::size_t kMaxPokeChars = 32767;

}  // namespace twinpath::win32
