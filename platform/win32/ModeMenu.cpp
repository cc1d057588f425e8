#include "platform/win32/ModeMenu.h"

#include "app/Texts.h"

namespace twinpath::win32 {

ModeMenu::ModeMenu() : popup_(::CreatePopupMenu()) {
    UniqueMenu modes(::CreatePopupMenu());
    if (!popup_ || !modes) return;
    ::AppendMenuW(modes.get(), MF_STRING | MF_CHECKED, kFirstCommand, texts::kModeNamesOnly);
    ::AppendMenuW(modes.get(), MF_STRING, kFirstCommand + 1, texts::kModeSizeAndDate);
    if (::AppendMenuW(popup_.get(), MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(modes.get()),
                      texts::kListCopyMenu))
        modes_ = modes.release();
}

bool ModeMenu::checked(int index) const {
    if (!modes_) return index == 0;
    const UINT state = ::GetMenuState(modes_, kFirstCommand + index, MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & MF_CHECKED) != 0;
}

void ModeMenu::setChecked(int index, bool checked) {
    if (modes_) ::CheckMenuItem(modes_, kFirstCommand + index, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void ModeMenu::show(HWND owner, POINT screenPoint, UINT alignment) const {
    if (!popup_) return;
    // The owner must be in the foreground, or the menu would not close when
    // the user clicks elsewhere.
    ::SetForegroundWindow(owner);
    ::TrackPopupMenuEx(popup_.get(), alignment | TPM_RIGHTBUTTON, screenPoint.x, screenPoint.y, owner, nullptr);
    ::PostMessageW(owner, WM_NULL, 0, 0);
}

}  // namespace twinpath::win32
