#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "ports/MainView.h"

namespace twinpath::win32 {

// A Copy button's popup: its field's path in each form of the items, "Copy"
// in bold as the default, the forms that cannot be made greyed. It is made
// anew each time it opens, for the path shown then.
class CopyMenu {
public:
    struct Pick {
        NameField field;
        PathForm form;
        bool everyItem;
    };
    // The field and form an item's WM_COMMAND id picks; nothing for other ids.
    static std::optional<Pick> pickOfCommand(int id);

    // Where the next menu opens, in screen coordinates.
    void placeAt(POINT screenPoint) { place_ = screenPoint; }
    // Opens the menu and waits for the pick, which arrives as WM_COMMAND at
    // `owner`. Enter on a greyed item closes the menu, and that item's command
    // follows too: the window then says why it copies nothing.
    // With `everyItem` more than one, the same items follow in a submenu
    // "All N Items" after a separator.
    void show(HWND owner, NameField field, const std::vector<CopyMenuItem>& items, std::size_t everyItem) const;

private:
    POINT place_{};
};

}  // namespace twinpath::win32
