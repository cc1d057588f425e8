#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/ProcessServices.h"
#include "platform/WindowToolkit.h"

namespace twinpath::fakes {

// A window that records what the handlers do to it. The clipboard is
// `std::nullopt` until something is placed on it.
class FakeWindow final : public WindowToolkit {
public:
    std::wstring fields[2] = {L"TextLong", L"TextShort"};
    std::wstring windowCaption = L"Twinpath  < Drag&Drop or Command Line >";
    bool visible = false;
    bool minimized = false;
    bool maximized = false;
    int broughtToFront = 0;
    bool busy = false;
    int busyChanges = 0;
    int selectedOption = -1;
    bool checks[2] = {true, false};
    int menusShown = 0;
    int focusedField = -1;
    struct Selection {
        int start = 0;
        int length = 0;
    } selections[2];
    std::optional<std::wstring> clipboard;
    bool clipboardHeldElsewhere = false;
    std::vector<std::wstring> log;

    // Raised on focusField, as the real window raises the got-focus handler.
    std::function<void(int)> onGotFocus;
    // Run by pumpMessages: messages waiting for the window.
    std::vector<std::function<void()>> pendingMessages;

    std::wstring fieldText(int index) override;
    void setFieldText(int index, const std::wstring& text) override;
    bool focusField(int index) override;
    void selectInField(int index, int start, int length) override;
    std::wstring caption() override { return windowCaption; }
    void setCaption(const std::wstring& text) override { windowCaption = text; }
    void restoreWindow() override;
    void bringToFront() override;
    void setBusyPointer(bool isBusy) override;
    void selectOption(int index) override { selectedOption = index; }
    bool modeChecked(int index) override { return index >= 0 && index < 2 && checks[index]; }
    void setModeChecked(int index, bool checked) override;
    void showModeMenu() override { ++menusShown; }
    void pumpMessages() override;
    bool clearClipboard() override;
    bool setClipboardText(const std::wstring& text) override;
};

class FakeProcess final : public ProcessServices {
public:
    bool anotherCopyRunning = false;
    bool otherCopyAnswers = true;
    std::wstring arguments;
    std::wstring currentFolder = L"C:\\Work";
    std::vector<std::wstring> handedOff;

    bool previousInstanceRunning() override { return anotherCopyRunning; }
    std::wstring commandLineArguments() override { return arguments; }
    ProgramVersion version() override { return {1, 3, 0}; }
    std::wstring fullPath(const std::wstring& relativePath) override { return currentFolder + L"\\" + relativePath; }
    bool handOff(const std::wstring& text) override;
};

}  // namespace twinpath::fakes
