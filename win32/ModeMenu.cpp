#include "win32/ModeMenu.h"

#include "app/Texts.h"

namespace twinpath::win32 {

namespace {

// The entry of mode i sends kFirstCommand + i.
constexpr UINT kFirstCommand = 0x8000;
constexpr ListMode kModes[] = {ListMode::NamesOnly, ListMode::SizeAndDate, ListMode::TabSeparated};

constexpr UINT kSubfoldersCommand = kFirstCommand + 0x10;
UINT commandOf(ListMode mode) { return kFirstCommand + static_cast<UINT>(mode); }

}  // namespace

ModeMenu::ModeMenu() : popup_(::CreatePopupMenu()) {
    UniqueMenu modes(::CreatePopupMenu());
    if (!popup_ || !modes) return;
    ::AppendMenuW(modes.get(), MF_STRING | MF_CHECKED, commandOf(ListMode::NamesOnly), texts::kModeNamesOnly);
    ::AppendMenuW(modes.get(), MF_STRING, commandOf(ListMode::SizeAndDate), texts::kModeSizeAndDate);
    ::AppendMenuW(modes.get(), MF_STRING, commandOf(ListMode::TabSeparated), texts::kModeTabSeparated);
    ::AppendMenuW(modes.get(), MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(modes.get(), MF_STRING, kSubfoldersCommand, texts::kIncludeSubfolders);
    if (::AppendMenuW(popup_.get(), MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(modes.get()),
                      texts::kListCopyMenu))
        modes_ = modes.release();
}

std::optional<ListMode> ModeMenu::modeOfCommand(int id) {
    for (const ListMode mode : kModes)
        if (static_cast<UINT>(id) == commandOf(mode)) return mode;
    return std::nullopt;
}

bool ModeMenu::isSubfoldersCommand(int id) { return static_cast<UINT>(id) == kSubfoldersCommand; }

void ModeMenu::mark(ListMode mode, bool wholeTree) {
    if (!modes_) return;
    for (const ListMode each : kModes)
        ::CheckMenuItem(modes_, commandOf(each), MF_BYCOMMAND | (each == mode ? MF_CHECKED : MF_UNCHECKED));
    ::CheckMenuItem(modes_, kSubfoldersCommand, MF_BYCOMMAND | (wholeTree ? MF_CHECKED : MF_UNCHECKED));
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
