#include "win32/Clipboard.h"

#include <algorithm>

#include "win32/ClipboardSession.h"
#include "win32/Handles.h"

namespace twinpath::win32 {

namespace {

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
