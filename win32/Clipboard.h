#pragma once

#include <windows.h>

#include <span>
#include <string>

namespace twinpath::win32 {

// Replaces the clipboard's contents with `text`, or with its pieces one after
// the other, as CF_UNICODETEXT; the clipboard is opened as ClipboardSession
// (ClipboardSession.h) says, for `owner`.
bool setClipboardText(HWND owner, std::span<const std::wstring> pieces);
inline bool setClipboardText(HWND owner, const std::wstring& text) {
    return setClipboardText(owner, std::span(&text, 1));
}

}  // namespace twinpath::win32
