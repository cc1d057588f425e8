#pragma once

#include <windows.h>

#include <memory>

namespace twinpath::win32 {

// Move-only owners for the window's user-interface handles.

struct FontDeleter {
    using pointer = HFONT;
    void operator()(HFONT font) const noexcept { ::DeleteObject(font); }
};
using UniqueFont = std::unique_ptr<HFONT, FontDeleter>;

struct MenuDestroyer {
    using pointer = HMENU;
    void operator()(HMENU menu) const noexcept { ::DestroyMenu(menu); }
};
using UniqueMenu = std::unique_ptr<HMENU, MenuDestroyer>;

struct AcceleratorDestroyer {
    using pointer = HACCEL;
    void operator()(HACCEL table) const noexcept { ::DestroyAcceleratorTable(table); }
};
using UniqueAccelerators = std::unique_ptr<HACCEL, AcceleratorDestroyer>;

// An owned window goes with its owner, which may have taken it already.
struct WindowDestroyer {
    using pointer = HWND;
    void operator()(HWND window) const noexcept {
        if (::IsWindow(window)) ::DestroyWindow(window);
    }
};
using UniqueWindow = std::unique_ptr<HWND, WindowDestroyer>;

}  // namespace twinpath::win32
