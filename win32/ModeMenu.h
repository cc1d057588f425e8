#pragma once

#include <windows.h>

#include <optional>

#include "values/ListMode.h"
#include "win32/UiHandles.h"

namespace twinpath::win32 {

// The list-copy popup: "List Copy" > "File Name Only" / "... and Size,Day" /
// "Tab-Separated", and below a separator "Include Subfolders".
// The checked entries show the list-copy mode and whether it takes the whole
// tree; the controller holds both.
class ModeMenu {
public:
    ModeMenu();

    // The mode an entry's WM_COMMAND id picks; nothing for other ids.
    static std::optional<ListMode> modeOfCommand(int id);
    // Whether an entry's WM_COMMAND id is that of "Include Subfolders".
    static bool isSubfoldersCommand(int id);

    // Checks the mode's entry, clears the others, and checks "Include
    // Subfolders" as `wholeTree` says.
    void mark(ListMode mode, bool wholeTree);
    // The submenu of the modes and "Include Subfolders".
    HMENU modes() const { return modes_; }
    // Opens the menu at a screen point and waits for the pick, which arrives
    // as WM_COMMAND at `owner`.
    void show(HWND owner, POINT screenPoint, UINT alignment) const;

private:
    UniqueMenu popup_;
    HMENU modes_ = nullptr;  // owned by popup_
};

}  // namespace twinpath::win32
