#pragma once

#include <windows.h>

#include <span>
#include <string>

namespace twinpath::win32 {

// The clipboard, opened on behalf of `owner`: a window of the calling thread
// (with none, Windows refuses to take new data). Another program may hold the
// clipboard open for a moment, so opening is retried for about half a second
// before giving up; the call blocks no longer than that. While waiting, the
// thread answers messages sent to it (the holder may be waiting on `owner`),
// but leaves posted messages in its queue.

// Replaces the clipboard's contents with `text`, or with its pieces one after
// the other, as CF_UNICODETEXT.
bool setClipboardText(HWND owner, std::span<const std::wstring> pieces);
inline bool setClipboardText(HWND owner, const std::wstring& text) {
    return setClipboardText(owner, std::span(&text, 1));
}

}  // namespace twinpath::win32
