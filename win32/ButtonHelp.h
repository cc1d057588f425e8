#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "app/WindowLayout.h"
#include "values/ListMode.h"
#include "win32/ComPtr.h"
#include "win32/UiHandles.h"

struct IAccPropServices;

namespace twinpath::win32 {

// What the buttons tell beyond their captions: a tooltip on each that names
// what it does and its keys, and for screen readers a name of its own for
// each button whose caption does not say it (the two Copy buttons, List, "<"
// and ">"). The captions stay as they are.
class ButtonHelp {
public:
    ButtonHelp();
    ~ButtonHelp();
    ButtonHelp(const ButtonHelp&) = delete;
    ButtonHelp& operator=(const ButtonHelp&) = delete;

    // Makes the tooltips over the buttons that `controlOf` finds. A tooltip
    // costs a few milliseconds: it is made after the window's first paint.
    void attach(HWND owner, const std::function<HWND(Control)>& controlOf);
    HWND tips() const { return tips_.get(); }
    // The controls' font, which the tips take as the hint's tip does.
    void setFont(HFONT font);
    // The list button's tip names the list-copy mode.
    void showListMode(ListMode mode);

    // Gives the buttons their names for screen readers, as annotations of
    // the system's accessible objects for them; COM must be running on this
    // thread. The names stay until forgetNames, before the buttons go.
    void nameButtons();
    void forgetNames();

private:
    void addTip(std::size_t button, UINT message);

    HWND owner_ = nullptr;
    std::array<HWND, 5> buttons_{};
    UniqueWindow tips_;
    HFONT font_ = nullptr;  // the window's, which outlives its use here
    std::wstring listTip_;
    ComPtr<IAccPropServices> names_;
};

}  // namespace twinpath::win32
