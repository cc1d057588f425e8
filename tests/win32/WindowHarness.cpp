#include "tests/win32/WindowHarness.h"

#include "platform/win32/Clipboard.h"
#include "tests/win32/ClipboardReader.h"

namespace twinpath::wine {

void WindowTest::start(const std::wstring& arguments) {
    process.arguments = arguments;
    window = std::make_unique<win32::MainWindow>(::GetModuleHandleW(nullptr), fileSystem, text, process);
    ASSERT_TRUE(window->create());
    ASSERT_EQ(window->form().Form_Load(), TwinpathF::LoadResult::ShowWindow);
    window->show(SW_SHOWNORMAL);
    pump();
}

void WindowTest::pump() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (window && window->preTranslate(message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

std::wstring WindowTest::textOf(HWND control) const {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

void WindowTest::click(ControlGroup group, int index) {
    ::SendMessageW(control(group, index), BM_CLICK, 0, 0);
    pump();
}

RECT WindowTest::clientRectOf(HWND control) const {
    RECT rect{};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(HWND_DESKTOP, hwnd(), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT WindowTest::outerRect() const {
    RECT rect{};
    ::GetWindowRect(hwnd(), &rect);
    return rect;
}

std::optional<std::wstring> WindowTest::clipboardText() const { return wine::clipboardText(); }

void WindowTest::putOnClipboard(const std::wstring& value) const { win32::setClipboardText(nullptr, value); }

}  // namespace twinpath::wine
