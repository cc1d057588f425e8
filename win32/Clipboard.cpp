#include "win32/Clipboard.h"

#include <algorithm>
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

UniqueGlobal copyToGlobal(std::span<const std::wstring> pieces) {
    std::size_t units = 1;
    for (const auto& piece : pieces) units += piece.size();
    UniqueGlobal memory(::GlobalAlloc(GMEM_MOVEABLE, units * sizeof(wchar_t)));
    const GlobalLockGuard lock(memory.get());
    auto* at = static_cast<wchar_t*>(lock.data());
    if (!at) return {};
    for (const auto& piece : pieces) at = std::copy(piece.begin(), piece.end(), at);
    *at = L'\0';
    return memory;
}

}  // namespace

bool setClipboardText(HWND owner, std::span<const std::wstring> pieces) {
    // Prepared before opening, so the clipboard is held open only briefly.
    UniqueGlobal memory = copyToGlobal(pieces);
    if (!memory) return false;
    const ClipboardSession clipboard(owner);
    if (!clipboard || !::EmptyClipboard()) return false;
    if (!::SetClipboardData(CF_UNICODETEXT, memory.get())) return false;
    memory.release();  // the clipboard owns it now
    return true;
}

}  // namespace twinpath::win32
