// The window as the main controller sees it: fields, caption, state, pointer,
// options, list mode and clipboard, work going on, and the queue of paths from
// other programs.
#include "app/Texts.h"
#include "win32/Clipboard.h"
#include "win32/MainWindow.h"

namespace twinpath::win32 {

namespace {

std::wstring windowText(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace

void MainWindow::queuePath(const std::wstring& arguments) {
    queued_.push_back({arguments, {}});
    ::PostMessageW(hwnd_, kQueuedPathsMessage, 0, 0);
}

void MainWindow::queueItems(std::vector<std::wstring> paths) {
    queued_.push_back({L"", std::move(paths)});
    ::PostMessageW(hwnd_, kQueuedPathsMessage, 0, 0);
}

void MainWindow::openQueuedPaths() {
    auto waiting = std::move(queued_);
    queued_.clear();
    for (auto& input : waiting) {
        if (input.paths.empty())
            controller_->openArguments(input.arguments);
        else
            controller_->openItems(std::move(input.paths));
    }
}

std::wstring MainWindow::fieldText(NameField field) const {
    const HWND edit = fieldControl(field);
    return edit ? windowText(edit) : std::wstring();
}

void MainWindow::setFieldText(NameField field, const std::wstring& text) {
    if (const HWND edit = fieldControl(field)) ::SetWindowTextW(edit, text.c_str());
}

bool MainWindow::focusField(NameField field) {
    const HWND edit = fieldControl(field);
    if (!edit || !::IsWindowVisible(hwnd_)) return false;
    ::SetFocus(edit);
    return ::GetFocus() == edit;
}

void MainWindow::selectWholeField(NameField field) {
    ::PostMessageW(hwnd_, kSelectFieldMessage, static_cast<WPARAM>(field), 0);
}

void MainWindow::setShortFormHint(const std::wstring& text) {
    hintTip_.setText(text);
    // The short-form heading marks that the field has a tip: its own caption,
    // with the marker after it while there is one.
    const HWND heading = control(Control::ShortHeading);
    if (!heading) return;
    std::wstring wanted = designOf(Control::ShortHeading).caption;
    if (!text.empty()) wanted += texts::kHintMarker;
    if (windowText(heading) != wanted) ::SetWindowTextW(heading, wanted.c_str());
}

void MainWindow::showSelection(const std::wstring& headingSuffix, const std::wstring& longFieldTip) {
    itemsTip_.setText(longFieldTip);
    if (const HWND heading = control(Control::LongHeading)) {
        const std::wstring wanted = designOf(Control::LongHeading).caption + headingSuffix;
        if (windowText(heading) != wanted) ::SetWindowTextW(heading, wanted.c_str());
    }
}

std::wstring MainWindow::caption() { return windowText(hwnd_); }

void MainWindow::setCaption(const std::wstring& text) { ::SetWindowTextW(hwnd_, text.c_str()); }

void MainWindow::restoreWindow() {
    // While start-up runs the window is still hidden: restoring would show it.
    if (!::IsWindowVisible(hwnd_)) return;
    if (::IsIconic(hwnd_)) {
        // SW_RESTORE brings a window minimized from the maximized state back
        // maximized; its placement without that flag brings it back normal.
        WINDOWPLACEMENT placement{};
        placement.length = sizeof(placement);
        if (::GetWindowPlacement(hwnd_, &placement)) {
            placement.flags &= ~static_cast<UINT>(WPF_RESTORETOMAXIMIZED);
            placement.showCmd = SW_SHOWNORMAL;
            ::SetWindowPlacement(hwnd_, &placement);
        }
        if (::IsIconic(hwnd_)) ::ShowWindow(hwnd_, SW_RESTORE);
    }
    // Some hosts (Wine among them) still bring such a window back maximized:
    // restoring from the maximized state gives the normal one.
    if (::IsZoomed(hwnd_)) ::ShowWindow(hwnd_, SW_RESTORE);
}

void MainWindow::bringToFront() {
    if (!::IsWindowVisible(hwnd_)) return;
    ::SetForegroundWindow(hwnd_);
    ::SetActiveWindow(hwnd_);
}

void MainWindow::setBusyPointer(bool busy) {
    busy_ = busy;
    ::SetCursor(::LoadCursorW(nullptr, busy ? IDC_APPSTARTING : IDC_ARROW));
}

void MainWindow::setWorkTimer(bool on) {
    if (on)
        ::SetTimer(hwnd_, kWorkTimer, 100, nullptr);
    else
        ::KillTimer(hwnd_, kWorkTimer);
}

void MainWindow::showWorkInTaskbar(bool working) { taskbarButton_.showWorking(hwnd_, working); }

void MainWindow::showLetterCase(LetterCase letterCase) {
    const Control checked = letterCase == LetterCase::Upper   ? Control::CaseUpper
                            : letterCase == LetterCase::Lower ? Control::CaseLower
                                                              : Control::CaseStored;
    const auto idOf = [](Control option) { return kFirstControlId + static_cast<int>(option); };
    ::CheckRadioButton(hwnd_, idOf(Control::CaseStored), idOf(Control::CaseLower), idOf(checked));
}

void MainWindow::showListChoice(ListMode mode, bool wholeTree) {
    modeMenu_.mark(mode, wholeTree);
    buttonHelp_.showListMode(mode);
}

bool MainWindow::setClipboardText(std::span<const std::wstring> pieces) {
    return win32::setClipboardText(hwnd_, pieces);
}

}  // namespace twinpath::win32
