#pragma once

#include <chrono>
#include <string>

namespace twinpath::win32 {

// The second copy's end of the hand-off: pokes `text` (as CF_UNICODETEXT) to
// the running copy's server and lets that copy take the foreground. The
// running copy may still be starting, so the connection is retried for up to
// `patience`. True only when the running copy acknowledged the poke.
//
// Blocks the calling thread for at most `patience` plus the poke's own few
// seconds of waiting; it needs no message loop of the caller's.
bool pokeRunningCopy(const std::wstring& text, std::chrono::milliseconds patience);

}  // namespace twinpath::win32
