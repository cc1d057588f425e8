#include "win32/LongPath.h"

#include <windows.h>

#include "paths/PathShape.h"
#include "win32/BufferCall.h"

namespace twinpath::win32 {

namespace {

// Paths shorter than this pass unchanged: every call accepts them as they are.
// Folder calls stop at 248 (room for an 8.3 name), so stay below that.
constexpr std::size_t kPrefixThreshold = 240;

}  // namespace

std::wstring fullPathOf(const std::wstring& path) {
    std::wstring full;
    const bool ok = callWithGrowingBuffer(
        [&](wchar_t* buffer, DWORD capacity) { return ::GetFullPathNameW(path.c_str(), capacity, buffer, nullptr); },
        full);
    return ok ? full : std::wstring();
}

std::wstring toApiPath(const std::wstring& path) {
    if (path.size() < kPrefixThreshold || shapeOf(path).isPrefixed()) return path;
    std::wstring full = fullPathOf(path);
    if (full.empty()) return path;
    // Normalisation drops a trailing "\"; keep it, since it means "a folder".
    if (path.back() == L'\\' && full.back() != L'\\') full += L'\\';
    const PathShape::Kind kind = shapeOf(full).kind;
    if (kind == PathShape::Kind::Unc) return L"\\\\?\\UNC\\" + full.substr(2);
    if (kind == PathShape::Kind::Drive) return L"\\\\?\\" + full;
    return path;
}

std::wstring fromApiPath(const std::wstring& returned, const std::wstring& typed) {
    if (shapeOf(typed).isPrefixed()) return returned;
    if (returned.starts_with(L"\\\\?\\UNC\\")) return L"\\\\" + returned.substr(8);
    if (returned.starts_with(L"\\\\?\\")) return returned.substr(4);
    return returned;
}

}  // namespace twinpath::win32
