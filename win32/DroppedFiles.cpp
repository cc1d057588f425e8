#include "win32/DroppedFiles.h"

#include <shlobj.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <cwchar>

#include "win32/Handles.h"
#include "win32/WindowLibraries.h"

namespace twinpath::win32 {

namespace {

// The medium is released on every way out, whatever GetData left in it: a
// zeroed medium (TYMED_NULL) releases as nothing.
struct OwnedMedium {
    STGMEDIUM medium{};
    OwnedMedium() = default;
    ~OwnedMedium() { windowLibraries::releaseStgMedium(&medium); }
    OwnedMedium(const OwnedMedium&) = delete;
    OwnedMedium& operator=(const OwnedMedium&) = delete;
};

// DragQueryFileW trusts the block it is given and reads until a NUL. The block
// comes from another program, so check first that the header fits and that
// the first name ends inside the block.
bool firstNameEndsInside(HDROP drop) {
    const GlobalLockGuard view(drop);
    const auto* bytes = static_cast<const std::byte*>(view.data());
    if (!bytes || view.size() < sizeof(DROPFILES)) return false;
    DROPFILES header;
    std::memcpy(&header, bytes, sizeof header);
    if (header.pFiles < sizeof(DROPFILES) || header.pFiles >= view.size()) return false;
    const std::size_t unit = header.fWide ? sizeof(wchar_t) : 1;
    for (std::size_t at = header.pFiles; at + unit <= view.size(); at += unit) {
        const std::byte* character = bytes + at;
        if (std::all_of(character, character + unit, [](std::byte b) { return b == std::byte{0}; })) return true;
    }
    return false;
}

}  // namespace

std::optional<std::wstring> firstDroppedPath(HDROP drop) {
    if (!drop || !firstNameEndsInside(drop)) return std::nullopt;
    // DragQueryFileW truncates into a short buffer instead of reporting the
    // size it needs, so ask for the length first and size the buffer from it.
    const UINT length = windowLibraries::dragQueryFile(drop, 0, nullptr, 0);
    if (length == 0) return std::nullopt;
    std::wstring path(length, L'\0');
    if (windowLibraries::dragQueryFile(drop, 0, path.data(), length + 1) == 0) return std::nullopt;
    // An ANSI list reports its length in bytes, which can exceed the UTF-16
    // length of the converted name.
    path.resize(std::wcslen(path.c_str()));
    if (path.empty()) return std::nullopt;
    return path;
}

std::optional<std::wstring> firstDroppedPath(IDataObject* data) {
    if (!data) return std::nullopt;
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    OwnedMedium owned;
    if (FAILED(data->GetData(&format, &owned.medium)) || owned.medium.tymed != TYMED_HGLOBAL) return std::nullopt;
    return firstDroppedPath(static_cast<HDROP>(owned.medium.hGlobal));
}

}  // namespace twinpath::win32
