#pragma once

#include <windows.h>

#include <optional>

#include "listing/ListMode.h"
#include "win32/UiHandles.h"

namespace twinpath::win32 {

// The list-copy popup: "List Copy" > "File Name Only" / "... and Size,Day" /
// "Tab-Separated", and below a separator "Include Subfolders".
// The checked entries are the list-copy mode and whether it takes the whole
// tree; they live only as long as the menu.
class ModeMenu {
public:
    ModeMenu();

    // The mode an entry's WM_COMMAND id picks; nothing for other ids.
    static std::optional<ListMode> modeOfCommand(int id);
    // Whether an entry's WM_COMMAND id is that of "Include Subfolders".
    static bool isSubfoldersCommand(int id);

    ListMode checkedMode() const;
    // Checks the mode's entry and clears the others.
    void check(ListMode mode);
    bool includesSubfolders() const;
    void setIncludeSubfolders(bool include);
    // Opens the menu at a screen point and waits for the pick, which arrives
    // as WM_COMMAND at `owner`.
    void show(HWND owner, POINT screenPoint, UINT alignment) const;

private:
    UniqueMenu popup_;
    HMENU modes_ = nullptr;  // owned by popup_
};

}  // namespace twinpath::win32
