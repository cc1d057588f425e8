#include "win32/DroppedFiles.h"

#include <shlobj.h>

#include <algorithm>
#include <cstddef>
#include <cstring>

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

// The data object's file list, held in `owned` while it is read.
HDROP fileListOf(IDataObject* data, OwnedMedium& owned) {
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    if (!data || FAILED(data->GetData(&format, &owned.medium)) || owned.medium.tymed != TYMED_HGLOBAL) return nullptr;
    return static_cast<HDROP>(owned.medium.hGlobal);
}

std::wstring nameOf(const std::byte* start, std::size_t units, bool wide) {
    if (!wide) {
        const auto* ansi = reinterpret_cast<const char*>(start);
        const int length = ::MultiByteToWideChar(CP_ACP, 0, ansi, static_cast<int>(units), nullptr, 0);
        std::wstring name(static_cast<std::size_t>(length), L'\0');
        ::MultiByteToWideChar(CP_ACP, 0, ansi, static_cast<int>(units), name.data(), length);
        return name;
    }
    std::wstring name(units, L'\0');
    std::memcpy(name.data(), start, units * sizeof(wchar_t));
    return name;
}

}  // namespace

std::vector<std::wstring> droppedPaths(HDROP drop) {
    // Read in one pass: DragQueryFileW walks the list from its start for each
    // index, which a drop of many thousand items cannot wait for.
    std::vector<std::wstring> paths;
    const GlobalLockGuard view(drop);
    const auto* bytes = static_cast<const std::byte*>(view.data());
    if (!bytes || view.size() < sizeof(DROPFILES)) return paths;
    DROPFILES header;
    std::memcpy(&header, bytes, sizeof header);
    if (header.pFiles < sizeof(DROPFILES)) return paths;
    const std::size_t unit = header.fWide ? sizeof(wchar_t) : 1;
    for (std::size_t start = header.pFiles, at = start; at + unit <= view.size(); at += unit) {
        if (!std::all_of(bytes + at, bytes + at + unit, [](std::byte b) { return b == std::byte{0}; })) continue;
        if (at == start) break;
        paths.push_back(nameOf(bytes + start, (at - start) / unit, header.fWide));
        start = at + unit;
    }
    return paths;
}

std::vector<std::wstring> droppedPaths(IDataObject* data) {
    OwnedMedium owned;
    const HDROP drop = fileListOf(data, owned);
    return drop ? droppedPaths(drop) : std::vector<std::wstring>{};
}

}  // namespace twinpath::win32
