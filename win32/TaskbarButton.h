#pragma once

#include <windows.h>

#include <shobjidl.h>

#include "win32/ComPtr.h"

namespace twinpath::win32 {

// The window's taskbar button, which shows that work is going on. Where the
// system has no taskbar list (or COM is not running on this thread) it
// quietly shows nothing.
class TaskbarButton {
public:
    void showWorking(HWND window, bool working);

private:
    ComPtr<ITaskbarList3> list_;
    bool tried_ = false;
};

}  // namespace twinpath::win32
