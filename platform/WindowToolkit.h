#pragma once

#include <string>

namespace twinpath {

// What the window's handlers do to the window and its controls. The Windows
// implementation turns each call into API calls; a fake records them in tests.
// Controls are addressed by group index: text fields TextFileName(0..1),
// option buttons Option1(0..2), mode entries menuCModeSel(0..1).
class WindowToolkit {
public:
    virtual ~WindowToolkit() = default;

    virtual std::wstring fieldText(int index) = 0;
    virtual void setFieldText(int index, const std::wstring& text) = 0;
    // Moves the focus into the field, which raises its got-focus handler;
    // false when the focus cannot move (the window is hidden).
    virtual bool focusField(int index) = 0;
    virtual void selectInField(int index, int start, int length) = 0;

    virtual std::wstring caption() = 0;
    virtual void setCaption(const std::wstring& text) = 0;

    // Window state to normal: a minimized or maximized window is restored.
    virtual void restoreWindow() = 0;
    // Brings the window to the front and makes it the active window.
    virtual void bringToFront() = 0;
    // The hourglass pointer over the whole window while busy, else the default.
    virtual void setBusyPointer(bool busy) = 0;

    // Selects the option button and clears the others of its group.
    virtual void selectOption(int index) = 0;

    virtual bool modeChecked(int index) = 0;
    virtual void setModeChecked(int index, bool checked) = 0;
    // Opens the list-copy mode menu at the mouse pointer (or, from the
    // keyboard, below the list button); a pick raises menuCModeSel_Click.
    virtual void showModeMenu() = 0;

    // Handles every window message that is waiting, other handlers included.
    virtual void pumpMessages() = 0;

    // Both return false when the clipboard could not be had.
    virtual bool clearClipboard() = 0;
    virtual bool setClipboardText(const std::wstring& text) = 0;
};

}  // namespace twinpath
