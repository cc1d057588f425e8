#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "values/LetterCase.h"
#include "values/ListMode.h"
#include "values/PathForm.h"

namespace twinpath {

// The two name fields: the long form above, the short form below.
enum class NameField { Long, Short };

// An entry of a Copy button's menu: a form, greyed when it cannot be made.
struct CopyMenuItem {
    PathForm form;
    bool enabled;
};

// What the main controller does to the window and its controls. The Windows
// implementation turns each call into API calls; a fake records them in tests.
class MainView {
public:
    virtual ~MainView() = default;

    virtual void setFieldText(NameField field, const std::wstring& text) = 0;
    // Moves the focus into the field, which raises its got-focus handler;
    // false when the focus cannot move (the window is hidden).
    virtual bool focusField(NameField field) = 0;
    // Selects the field's whole text once the messages already waiting have
    // been handled: a click that gave the field the focus places the caret
    // after its got-focus handler, and would undo a selection made at once.
    virtual void selectWholeField(NameField field) = 0;

    // Why the short form keeps long items, told over the short-form field
    // (empty: nothing to tell).
    virtual void setShortFormHint(const std::wstring& text) = 0;

    virtual std::wstring caption() = 0;
    virtual void setCaption(const std::wstring& text) = 0;

    // Window state to normal: a minimized or maximized window is restored.
    virtual void restoreWindow() = 0;
    // Brings the window to the front and makes it the active window.
    virtual void bringToFront() = 0;
    // The pointer over the window is the arrow with the hourglass while work
    // goes on (the window still answers), else the default.
    virtual void setBusyPointer(bool busy) = 0;
    // While on, the window calls MainController::onWorkTick about ten times a
    // second.
    virtual void setWorkTimer(bool on) = 0;
    // The taskbar button shows that work is going on, where the system can.
    virtual void showWorkInTaskbar(bool working) = 0;

    // Checks the case option and clears the others.
    virtual void showLetterCase(LetterCase letterCase) = 0;

    // Shows the list-copy mode and whether a listing takes the whole tree
    // below the folder: the mode menu's checks and the List button's tip.
    virtual void showListChoice(ListMode mode, bool wholeTree) = 0;
    // Opens the list-copy mode menu at the mouse pointer (or, from the
    // keyboard, below the list button); a pick calls pickListMode.
    virtual void showModeMenu() = 0;

    // Opens a Copy button's menu with these items, the first the default:
    // at the mouse pointer, or from the keyboard below the button. With
    // `everyItem` more than one, a submenu "All N Items" after a separator
    // holds the same items for every item. A pick calls copyForm, also that
    // of a greyed item picked with Enter.
    virtual void showCopyMenu(NameField field, const std::vector<CopyMenuItem>& items, std::size_t everyItem) = 0;

    // What the long form's heading and tip tell of the items given: the
    // heading's suffix (" (2 items)", or empty) and the tip over the field.
    virtual void showSelection(const std::wstring& headingSuffix, const std::wstring& longFieldTip) = 0;

    // Replaces the clipboard's contents with the text, given in pieces so that
    // a large listing is never copied whole on its way, in one go; false, with
    // the earlier contents left in place, when the clipboard could not be had.
    virtual bool setClipboardText(std::span<const std::wstring> pieces) = 0;
    bool setClipboardText(const std::wstring& text) { return setClipboardText(std::span(&text, 1)); }
};

}  // namespace twinpath
