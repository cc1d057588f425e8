#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "win32/UiHandles.h"

namespace twinpath::win32 {

// A tooltip over one field that tells what the field's text cannot: shown
// while the pointer rests on the field, and below the field while it has the
// keyboard focus, so that keyboard users read it too. Without text it stays
// hidden.
class HintTip {
public:
    // Makes the tooltip, owned by the window that holds `field`.
    bool create(HWND owner, HWND field);
    HWND hwnd() const { return tip_.get(); }

    void setText(const std::wstring& text);
    // Fonts and the line width follow the window's DPI.
    void setFont(HFONT font, int dpi);
    // The field got or lost the keyboard focus.
    void followFocus(bool focused);
    // The field moved with its window: the tip below it follows.
    void place();

private:
    TTTOOLINFOW tool(UINT_PTR id, UINT flags);
    void showBelowField();

    UniqueWindow tip_;
    HWND owner_ = nullptr;
    HWND field_ = nullptr;
    std::wstring text_;
    bool focused_ = false;
};

}  // namespace twinpath::win32
