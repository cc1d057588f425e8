#include "win32/Clipboard.h"

#include <cstring>
#include <utility>

#include "win32/Handles.h"

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

// The clipboard while this program has it open.
class ClipboardSession {
public:
    explicit ClipboardSession(HWND owner) {
        for (int attempt = 0; attempt < kOpenAttempts && !open_; ++attempt) {
            if (attempt > 0) pauseAnsweringSentMessages(kOpenPauseMs);
            open_ = ::OpenClipboard(owner) != FALSE;
        }
    }
    ~ClipboardSession() {
        if (open_) ::CloseClipboard();
    }
    ClipboardSession(ClipboardSession&& other) noexcept : open_(std::exchange(other.open_, false)) {}
    ClipboardSession& operator=(ClipboardSession&&) = delete;
    ClipboardSession(const ClipboardSession&) = delete;
    ClipboardSession& operator=(const ClipboardSession&) = delete;

    explicit operator bool() const { return open_; }

private:
    bool open_ = false;
};

UniqueGlobal copyToGlobal(const std::wstring& text) {
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    UniqueGlobal memory(::GlobalAlloc(GMEM_MOVEABLE, bytes));
    const GlobalLockGuard lock(memory.get());
    if (!lock.data()) return {};
    std::memcpy(lock.data(), text.c_str(), bytes);
    return memory;
}

}  // namespace

bool setClipboardText(HWND owner, const std::wstring& text) {
    // Prepared before opening, so the clipboard is held open only briefly.
    UniqueGlobal memory = copyToGlobal(text);
    if (!memory) return false;
    const ClipboardSession clipboard(owner);
    if (!clipboard || !::EmptyClipboard()) return false;
    if (!::SetClipboardData(CF_UNICODETEXT, memory.get())) return false;
    memory.release();  // the clipboard owns it now
    return true;
}

}  // namespace twinpath::win32
