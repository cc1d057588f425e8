#pragma once

#include <windows.h>

#include "app/WindowLayout.h"

namespace twinpath::win32 {

// The main window's class, styles and controls, in one place for the window
// and for what is measured against it.

// Registers a window class as the main window's: the program's icon, the
// arrow pointer and the button-face background. True when the class exists.
bool registerMainWindowClass(HINSTANCE instance, WNDPROC procedure, const wchar_t* name);

inline constexpr DWORD kMainWindowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
inline constexpr DWORD kMainWindowExStyle = 0;

// Makes one of the main window's controls, visible, without size or font:
// the window class and styles of its kind of control, and its caption.
HWND createControl(HWND parent, HINSTANCE instance, const ControlDesign& design, int id);

}  // namespace twinpath::win32
