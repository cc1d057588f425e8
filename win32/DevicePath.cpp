#include "win32/DevicePath.h"

#include <windows.h>

#include <string_view>

#include "paths/PathHead.h"
#include "win32/BufferCall.h"

namespace twinpath::win32 {

namespace {

constexpr std::wstring_view kDeviceNamespace = L"\\\\.\\";

bool startsWithDrive(std::wstring_view text) {
    return text.size() >= 2 && ((text[0] >= L'A' && text[0] <= L'Z') || (text[0] >= L'a' && text[0] <= L'z')) &&
           text[1] == L':';
}

// The system's own rule for reserved names, which differs between versions:
// it makes the full path of such a name a device-namespace path.
bool mapsToDevice(const std::wstring& path) {
    std::wstring full;
    const bool ok = callWithGrowingBuffer(
        [&](wchar_t* buffer, DWORD capacity) { return ::GetFullPathNameW(path.c_str(), capacity, buffer, nullptr); },
        full);
    return ok && full.starts_with(kDeviceNamespace);
}

}  // namespace

bool namesNoFileOrFolder(const std::wstring& path) {
    std::wstring_view rest = path;
    const PrefixedRoot root = splitPrefixedRoot(path);
    // A prefix that leads to anything but a volume or share names a pipe, a
    // bare volume or another device.
    if (root.kind == PrefixedRoot::Kind::Other) return true;
    if (root.kind != PrefixedRoot::Kind::None) {
        rest.remove_prefix(root.length);
    } else {
        if (mapsToDevice(path)) return true;
        if (startsWithDrive(rest)) rest.remove_prefix(2);
    }
    // Past the drive, a colon can only start the name of a stream.
    return rest.find(L':') != std::wstring_view::npos;
}

}  // namespace twinpath::win32
