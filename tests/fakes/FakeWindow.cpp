#include "tests/fakes/FakeWindow.h"

namespace twinpath::fakes {

std::wstring FakeWindow::fieldText(int index) { return index == 0 || index == 1 ? fields[index] : L""; }

void FakeWindow::setFieldText(int index, const std::wstring& text) {
    if (index == 0 || index == 1) fields[index] = text;
}

bool FakeWindow::focusField(int index) {
    if (!visible) return false;
    if (focusedField == index) return true;
    focusedField = index;
    if (onGotFocus) onGotFocus(index);
    return true;
}

void FakeWindow::selectInField(int index, int start, int length) {
    if (index == 0 || index == 1) selections[index] = {start, length};
}

void FakeWindow::restoreWindow() {
    minimized = false;
    maximized = false;
    log.push_back(L"restore");
}

void FakeWindow::bringToFront() {
    ++broughtToFront;
    log.push_back(L"front");
}

void FakeWindow::setBusyPointer(bool isBusy) {
    busy = isBusy;
    ++busyChanges;
    log.push_back(isBusy ? L"busy" : L"idle");
}

void FakeWindow::setModeChecked(int index, bool checked) {
    if (index == 0 || index == 1) checks[index] = checked;
}

void FakeWindow::pumpMessages() {
    auto waiting = std::move(pendingMessages);
    pendingMessages.clear();
    for (auto& message : waiting) message();
}

bool FakeWindow::clearClipboard() {
    log.push_back(L"clear");
    if (clipboardHeldElsewhere) return false;
    clipboard = std::nullopt;
    return true;
}

bool FakeWindow::setClipboardText(const std::wstring& text) {
    log.push_back(L"set");
    if (clipboardHeldElsewhere) return false;
    clipboard = text;
    return true;
}

bool FakeProcess::handOff(const std::wstring& text) {
    if (!otherCopyAnswers) return false;
    handedOff.push_back(text);
    return true;
}

}  // namespace twinpath::fakes
