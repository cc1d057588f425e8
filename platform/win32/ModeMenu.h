#pragma once

#include <windows.h>

#include "platform/win32/UiHandles.h"

namespace twinpath::win32 {

// The list-copy popup: "List Copy" > "File Name Only" / "... and Size,Day".
// The checked entry is the list-copy mode; it lives only as long as the menu.
class ModeMenu {
public:
    static constexpr UINT kFirstCommand = 0x8000;  // entry i sends kFirstCommand + i

    ModeMenu();

    bool checked(int index) const;
    void setChecked(int index, bool checked);
    // Opens the menu at a screen point and waits for the pick, which arrives
    // as WM_COMMAND at `owner`.
    void show(HWND owner, POINT screenPoint, UINT alignment) const;

private:
    UniqueMenu popup_;
    HMENU modes_ = nullptr;  // owned by popup_
};

}  // namespace twinpath::win32
