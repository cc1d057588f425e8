#include "win32/ClipboardItems.h"

#include <cwchar>

#include "paths/PastedItems.h"
#include "win32/ClipboardSession.h"
#include "win32/DroppedFiles.h"
#include "win32/Handles.h"

namespace twinpath::win32 {

std::optional<std::vector<std::wstring>> clipboardItems(HWND owner) {
    std::wstring text;
    {
        // Open only while the data is copied out.
        const ClipboardSession clipboard(owner);
        if (!clipboard) return std::nullopt;
        std::vector<std::wstring> files = droppedPaths(static_cast<HDROP>(::GetClipboardData(CF_HDROP)));
        if (!files.empty()) return files;
        const GlobalLockGuard lock(::GetClipboardData(CF_UNICODETEXT));
        if (const auto* units = static_cast<const wchar_t*>(lock.data()))
            text.assign(units, ::wcsnlen(units, lock.size() / sizeof(wchar_t)));
    }
    return pastedItems(text);
}

}  // namespace twinpath::win32
