#pragma once

#include <windows.h>

#include "app/WindowLayout.h"

namespace twinpath::win32 {

// The main window's styles and those of its controls, in one place for the
// window and for what is measured against it.
inline constexpr DWORD kMainWindowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
inline constexpr DWORD kMainWindowExStyle = 0;

// Makes one of the main window's controls, visible, without size or font:
// the window class and styles of its kind of control, and its caption.
HWND createControl(HWND parent, HINSTANCE instance, const ControlDesign& design, int id);

}  // namespace twinpath::win32
