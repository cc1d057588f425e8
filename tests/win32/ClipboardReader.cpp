#include "tests/win32/ClipboardReader.h"

#include <windows.h>

#include <cwchar>

#include "platform/win32/Handles.h"

namespace twinpath::wine {

std::optional<std::wstring> clipboardText() {
    bool open = false;
    for (int attempt = 0; attempt < 50 && !open; ++attempt) {
        open = ::OpenClipboard(nullptr) != FALSE;
        if (!open) ::Sleep(20);
    }
    std::optional<std::wstring> text;
    if (!open) return text;
    if (const HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        const win32::GlobalLockGuard lock(data);
        // The block may be larger than the text: the text ends at its NUL.
        if (lock.data())
            text = std::wstring(
                static_cast<const wchar_t*>(lock.data()),
                wcsnlen(static_cast<const wchar_t*>(lock.data()), ::GlobalSize(data) / sizeof(wchar_t)));
    }
    ::CloseClipboard();
    return text;
}

}  // namespace twinpath::wine
