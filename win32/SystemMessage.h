#pragma once

#include <windows.h>

#include <string>

namespace twinpath::win32 {

// The system's own text for an error code, in the user's language, on one
// line; "error N" when the system has none.
std::wstring systemMessage(DWORD error);

}  // namespace twinpath::win32
