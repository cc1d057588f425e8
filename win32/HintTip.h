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
    // The tooltip will belong to the window that holds `field`. It is made
    // when it first gets text: most paths bring no hint, and the window's
    // first paint does not wait for it.
    void attach(HWND owner, HWND field);
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
    bool create();
    void applyFont();
    void showBelowField();

    UniqueWindow tip_;
    HWND owner_ = nullptr;
    HWND field_ = nullptr;
    HFONT font_ = nullptr;  // the window's, which outlives its use here
    int dpi_ = USER_DEFAULT_SCREEN_DPI;
    std::wstring text_;
    bool focused_ = false;
};

}  // namespace twinpath::win32
