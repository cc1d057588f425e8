#pragma once

#include <windows.h>

namespace twinpath::win32 {

// The clipboard while this program has it open, on behalf of `owner`: a
// window of the calling thread (with none, Windows refuses to take new data).
// Another program may hold the clipboard open for a moment, so opening is
// retried for about half a second before giving up; the call blocks no
// longer than that. While waiting, the thread answers messages sent to it
// (the holder may be waiting on `owner`), but leaves posted messages in its
// queue.
class ClipboardSession {
public:
    explicit ClipboardSession(HWND owner);
    ~ClipboardSession() {
        if (open_) ::CloseClipboard();
    }
    ClipboardSession(const ClipboardSession&) = delete;
    ClipboardSession& operator=(const ClipboardSession&) = delete;

    explicit operator bool() const { return open_; }

private:
    bool open_ = false;
};

}  // namespace twinpath::win32
