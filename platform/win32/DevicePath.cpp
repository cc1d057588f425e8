#include "platform/win32/DevicePath.h"

#include <windows.h>

#include <string_view>

#include "platform/win32/BufferCall.h"

namespace twinpath::win32 {

namespace {

constexpr std::wstring_view kDeviceNamespace = L"\\\\.\\";

bool startsWithIgnoringCase(std::wstring_view text, std::wstring_view prefix) {
    return text.size() >= prefix.size() &&
           ::CompareStringOrdinal(text.data(), static_cast<int>(prefix.size()), prefix.data(),
                                  static_cast<int>(prefix.size()), TRUE) == CSTR_EQUAL;
}

bool startsWithDrive(std::wstring_view text) {
    return text.size() >= 2 &&
           ((text[0] >= L'A' && text[0] <= L'Z') || (text[0] >= L'a' && text[0] <= L'z')) && text[1] == L':';
}

// The part of a "\\?\", "\\.\" or "\??\" path below its volume or share; nothing
// when the prefix leads to anything else (a pipe, a bare volume, a device).
bool belowPrefixedVolume(std::wstring_view& rest) {
    if (startsWithIgnoringCase(rest, L"UNC\\")) {
        rest.remove_prefix(4);
        return true;
    }
    if (startsWithDrive(rest) && rest.size() >= 3 && rest[2] == L'\\') {
        rest.remove_prefix(2);
        return true;
    }
    if (startsWithIgnoringCase(rest, L"Volume{")) {
        const auto end = rest.find(L"}\\");
        if (end == std::wstring_view::npos) return false;
        rest.remove_prefix(end + 1);
        return true;
    }
    return false;
}

// The system's own rule for reserved names, which differs between versions:
// it makes the full path of such a name a device-namespace path.
bool mapsToDevice(const std::wstring& path) {
    std::wstring full;
    const bool ok = callWithGrowingBuffer(
        [&](wchar_t* buffer, DWORD capacity) {
            return ::GetFullPathNameW(path.c_str(), capacity, buffer, nullptr);
        },
        full);
    return ok && full.starts_with(kDeviceNamespace);
}

}  // namespace

bool namesNoFileOrFolder(const std::wstring& path) {
    std::wstring_view rest = path;
    if (path.starts_with(L"\\\\?\\") || path.starts_with(kDeviceNamespace) || path.starts_with(L"\\??\\")) {
        rest.remove_prefix(4);
        if (!belowPrefixedVolume(rest)) return true;
    } else {
        if (mapsToDevice(path)) return true;
        if (startsWithDrive(rest)) rest.remove_prefix(2);
    }
    // Past the drive, a colon can only start the name of a stream.
    return rest.find(L':') != std::wstring_view::npos;
}

}  // namespace twinpath::win32
