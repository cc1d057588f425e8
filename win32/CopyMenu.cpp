#include "win32/CopyMenu.h"

#include <iterator>
#include <memory>

#include "app/Texts.h"
#include "win32/UiHandles.h"

namespace twinpath::win32 {

namespace {

// Item ids follow the mode menu's: a block of forms for each field.
constexpr UINT kFirstCommand = 0x8100;
constexpr UINT kFormsPerField = 0x10;

UINT commandOf(NameField field, PathForm form) {
    return kFirstCommand + static_cast<UINT>(field) * kFormsPerField + static_cast<UINT>(form);
}

// The menu that runs on this thread, and the greyed item Enter was pressed
// on. A menu's loop hands each message to the thread's message filter first.
struct RunningMenu {
    HMENU menu = nullptr;
    UINT greyedPick = 0;
};
thread_local RunningMenu* running = nullptr;

LRESULT CALLBACK filterMenuMessage(int code, WPARAM wParam, LPARAM lParam) noexcept {
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    if (code == MSGF_MENU && running && message->message == WM_KEYDOWN && message->wParam == VK_RETURN) {
        for (int i = 0, count = ::GetMenuItemCount(running->menu); i < count; ++i) {
            const UINT state = ::GetMenuState(running->menu, static_cast<UINT>(i), MF_BYPOSITION);
            if ((state & MF_HILITE) == 0 || (state & MF_GRAYED) == 0) continue;
            // The system would close the menu without a word (or keep it
            // open): the menu ends here, its pick noted.
            running->greyedPick = ::GetMenuItemID(running->menu, i);
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
    const UINT field = offset / kFormsPerField;
    const UINT form = offset % kFormsPerField;
    if (static_cast<UINT>(id) < kFirstCommand || field > 1 || form >= std::size(texts::kFormItems)) return std::nullopt;
    return Pick{static_cast<NameField>(field), static_cast<PathForm>(form)};
}

void CopyMenu::show(HWND owner, NameField field, const std::vector<CopyMenuItem>& items) const {
    const UniqueMenu menu(::CreatePopupMenu());
    if (!menu || items.empty()) return;
    for (const CopyMenuItem& item : items)
        ::AppendMenuW(menu.get(), MF_STRING | (item.enabled ? MF_ENABLED : MF_GRAYED), commandOf(field, item.form),
                      texts::kFormItems[static_cast<std::size_t>(item.form)]);
    ::SetMenuDefaultItem(menu.get(), commandOf(field, items.front().form), FALSE);
    RunningMenu state{menu.get(), 0};
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
