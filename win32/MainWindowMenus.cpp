// The window's popup menus: the mode menu of the List button and the forms
// menus of the Copy buttons, where each opens, from the mouse or the keyboard.
#include <windows.h>

#include <windowsx.h>

#include "win32/MainWindow.h"

namespace twinpath::win32 {

void MainWindow::onContextMenu(HWND target, LPARAM position) {
    // The menu key and Shift+F10 (position -1) open a button's menu below it
    // for keyboard users; the mouse opens the mode menu on the button's
    // mouse-up, a Copy button's menu where it was clicked.
    RECT button{};
    ::GetWindowRect(target, &button);
    const POINT below{button.left, button.bottom};
    const auto which = controlOf(target);
    if (which == Control::CopyLong || which == Control::CopyShort) {
        copyMenu_.placeAt(position == -1 ? below : POINT{GET_X_LPARAM(position), GET_Y_LPARAM(position)});
        controller_->onCopyButtonMenu(which == Control::CopyLong ? NameField::Long : NameField::Short);
    } else if (which == Control::List && position == -1) {
        modeMenu_.show(hwnd_, below, TPM_LEFTALIGN | TPM_TOPALIGN);
    }
}

void MainWindow::showModeMenu() {
    POINT cursor{};
    ::GetCursorPos(&cursor);
    modeMenu_.show(hwnd_, cursor, TPM_LEFTALIGN | TPM_TOPALIGN);
}

void MainWindow::showCopyMenu(NameField field, const std::vector<CopyMenuItem>& items, std::size_t everyItem) {
    copyMenu_.show(hwnd_, field, items, everyItem);
}

}  // namespace twinpath::win32
