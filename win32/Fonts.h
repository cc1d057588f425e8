#pragma once

#include <windows.h>

#include "win32/UiHandles.h"

namespace twinpath::win32 {

// The name fields' font: "ＭＳ ゴシック" 9 pt with the Shift-JIS character set,
// or the system's monospaced face where that face is missing.
UniqueFont createFieldFont(int dpi);

// The system's message font at the window's DPI, for every other control.
UniqueFont createControlFont(int dpi);

}  // namespace twinpath::win32
