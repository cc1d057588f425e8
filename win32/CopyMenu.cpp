#include "win32/CopyMenu.h"

#include <iterator>
#include <memory>

#include "app/SelectionTexts.h"
#include "app/Texts.h"
#include "win32/UiHandles.h"

namespace twinpath::win32 {

namespace {

// Item ids follow the mode menu's: a block of forms for each field, and
// after those a block for each field's every item.
constexpr UINT kFirstCommand = 0x8100;
constexpr UINT kFormsPerField = 0x10;
constexpr UINT kBlocks = 4;

UINT commandOf(NameField field, PathForm form, bool everyItem) {
    const UINT block = (everyItem ? 2 : 0) + static_cast<UINT>(field);
    return kFirstCommand + block * kFormsPerField + static_cast<UINT>(form);
}

// The menu's items, for one item or for every item.
void appendForms(HMENU menu, NameField field, const std::vector<CopyMenuItem>& items, bool everyItem) {
    for (const CopyMenuItem& item : items)
        ::AppendMenuW(menu, MF_STRING | (item.enabled ? MF_ENABLED : MF_GRAYED), commandOf(field, item.form, everyItem),
                      texts::kFormItems[static_cast<std::size_t>(item.form)]);
}

// The menu that runs on this thread (and its submenu), and the greyed item
// Enter was pressed on. A menu's loop hands each message to the thread's
// message filter first.
struct RunningMenu {
    HMENU menus[2] = {};
    UINT greyedPick = 0;
};
thread_local RunningMenu* running = nullptr;

LRESULT CALLBACK filterMenuMessage(int code, WPARAM wParam, LPARAM lParam) noexcept {
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    if (code == MSGF_MENU && running && message->message == WM_KEYDOWN && message->wParam == VK_RETURN) {
        for (const HMENU menu : running->menus)
            for (int i = 0, count = menu ? ::GetMenuItemCount(menu) : 0; i < count; ++i) {
                const UINT state = ::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
                if ((state & MF_HILITE) == 0 || (state & MF_GRAYED) == 0 || (state & MF_POPUP)) continue;
                // The system would close the menu without a word (or keep it
                // open): the menu ends here, its pick noted.
                running->greyedPick = ::GetMenuItemID(menu, i);
                ::EndMenu();
                return TRUE;
            }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

struct HookRemover {
    using pointer = HHOOK;
    void operator()(HHOOK hook) const noexcept { ::UnhookWindowsHookEx(hook); }
};

}  // namespace

std::optional<CopyMenu::Pick> CopyMenu::pickOfCommand(int id) {
    const UINT offset = static_cast<UINT>(id) - kFirstCommand;
    const UINT block = offset / kFormsPerField;
    const UINT form = offset % kFormsPerField;
    if (static_cast<UINT>(id) < kFirstCommand || block >= kBlocks || form >= std::size(texts::kFormItems))
        return std::nullopt;
    return Pick{block % 2 == 0 ? NameField::Long : NameField::Short, static_cast<PathForm>(form), block >= 2};
}

void CopyMenu::show(HWND owner, NameField field, const std::vector<CopyMenuItem>& items, std::size_t everyItem) const {
    const UniqueMenu menu(::CreatePopupMenu());
    if (!menu || items.empty()) return;
    appendForms(menu.get(), field, items, false);
    ::SetMenuDefaultItem(menu.get(), commandOf(field, items.front().form, false), FALSE);
    RunningMenu state{{menu.get(), nullptr}, 0};
    if (everyItem > 1) {
        UniqueMenu all(::CreatePopupMenu());
        if (all) {
            appendForms(all.get(), field, items, true);
            ::AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
            if (::AppendMenuW(menu.get(), MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(all.get()),
                              texts::allItemsCaption(everyItem).c_str()))
                state.menus[1] = all.release();  // the menu owns it now
        }
    }
    running = &state;
    {
        const std::unique_ptr<HHOOK, HookRemover> filter(
            ::SetWindowsHookExW(WH_MSGFILTER, filterMenuMessage, nullptr, ::GetCurrentThreadId()));
        // The owner must be in the foreground, or the menu would not close
        // when the user clicks elsewhere.
        ::SetForegroundWindow(owner);
        ::TrackPopupMenuEx(menu.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, place_.x, place_.y, owner,
                           nullptr);
    }
    running = nullptr;
    if (state.greyedPick) ::PostMessageW(owner, WM_COMMAND, state.greyedPick, 0);
    ::PostMessageW(owner, WM_NULL, 0, 0);
}

}  // namespace twinpath::win32
