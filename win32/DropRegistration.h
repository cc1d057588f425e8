#pragma once

#include <windows.h>

#include <ole2.h>

#include <memory>

#include "win32/WindowLibraries.h"

namespace twinpath::win32 {

// A window's registration as a drop target. OLE holds a reference to the
// target while the registration lasts. End it before the window is destroyed
// (in WM_DESTROY): a revoke on a destroyed window fails and the target leaks.
class DropRegistration {
public:
    DropRegistration() noexcept = default;
    // Needs OleInitialize on the window's thread; active() tells whether it took.
    DropRegistration(HWND window, IDropTarget* target) noexcept {
        if (SUCCEEDED(windowLibraries::registerDragDrop(window, target))) window_.reset(window);
    }

    bool active() const noexcept { return window_ != nullptr; }

private:
    struct Revoker {
        using pointer = HWND;
        void operator()(HWND window) const noexcept { windowLibraries::revokeDragDrop(window); }
    };
    std::unique_ptr<HWND, Revoker> window_;
};

}  // namespace twinpath::win32
