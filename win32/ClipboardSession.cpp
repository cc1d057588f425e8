#include "win32/ClipboardSession.h"

namespace twinpath::win32 {

namespace {

constexpr int kOpenAttempts = 10;
constexpr DWORD kOpenPauseMs = 50;

// Waits while still answering messages that other threads send to this one:
// the program holding the clipboard may be waiting on our window (when it
// empties a clipboard we own, say), and a plain Sleep would keep it waiting.
void pauseAnsweringSentMessages(DWORD milliseconds) {
    const ULONGLONG end = ::GetTickCount64() + milliseconds;
    for (ULONGLONG now = ::GetTickCount64(); now < end; now = ::GetTickCount64()) {
        const DWORD woken = ::MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(end - now), QS_SENDMESSAGE, 0);
        MSG message;
        if (woken == WAIT_OBJECT_0) ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

}  // namespace

ClipboardSession::ClipboardSession(HWND owner) {
    for (int attempt = 0; attempt < kOpenAttempts && !open_; ++attempt) {
        if (attempt > 0) pauseAnsweringSentMessages(kOpenPauseMs);
        open_ = ::OpenClipboard(owner) != FALSE;
    }
}

}  // namespace twinpath::win32
