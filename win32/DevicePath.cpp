#include "win32/DevicePath.h"

#include <windows.h>

#include <array>
#include <string_view>

#include "paths/PathShape.h"
#include "win32/LongPath.h"

namespace twinpath::win32 {

namespace {

constexpr std::wstring_view kDeviceNamespace = L"\\\\.\\";

bool equalNoCase(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() && ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                                          static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

// The next item of a path and what follows it.
std::wstring_view takeItem(std::wstring_view& rest) {
    const auto end = rest.find(L'\\');
    const std::wstring_view item = rest.substr(0, end);
    rest = end == std::wstring_view::npos ? std::wstring_view() : rest.substr(end + 1);
    return item;
}

// Objects that are devices, not file systems: reached under a prefix, even
// through a name below them, they would be opened to read their attributes.
bool isDeviceName(std::wstring_view name) {
    static constexpr std::array<std::wstring_view, 14> kDevices{
        L"pipe", L"mailslot", L"NamedPipe", L"Mailslot", L"CON",    L"CONIN$", L"CONOUT$",
        L"PRN",  L"AUX",      L"NUL",       L"Null",     L"ConDrv", L"Beep",   L"KsecDD"};
    for (const auto device : kDevices)
        if (equalNoCase(name, device)) return true;
    const bool numbered = name.size() == 4 && name[3] >= L'0' && name[3] <= L'9';
    return numbered && (equalNoCase(name.substr(0, 3), L"COM") || equalNoCase(name.substr(0, 3), L"LPT"));
}

// A prefixed path whose root is neither a drive, a share nor a volume leads
// into the object namespace. It names a file or folder only below a device
// that holds a file system, as "\\?\GLOBALROOT\Device\HarddiskVolumeShadowCopy1\x"
// does: with no item below the device, it names the device itself.
bool namesDeviceObject(std::wstring_view rest) {
    std::wstring_view device = takeItem(rest);
    if (equalNoCase(device, L"GLOBALROOT")) {
        if (!equalNoCase(takeItem(rest), L"Device")) return true;
        device = takeItem(rest);
    }
    return device.empty() || rest.empty() || isDeviceName(device);
}

// The system's own rule for reserved names, which differs between versions:
// it makes the full path of such a name a device-namespace path.
bool mapsToDevice(const std::wstring& path) { return fullPathOf(path).starts_with(kDeviceNamespace); }

}  // namespace

bool namesNoFileOrFolder(const std::wstring& path) {
    using Kind = PathShape::Kind;
    const PathShape shape = shapeOf(path);
    std::wstring_view rest = std::wstring_view(path).substr(shape.prefixLength);
    if (shape.kind == Kind::Object && namesDeviceObject(rest)) return true;
    if (!shape.isPrefixed() && mapsToDevice(path)) return true;
    if (shape.kind == Kind::Drive || shape.kind == Kind::DriveRelative || shape.kind == Kind::PrefixedDrive)
        rest.remove_prefix(2);
    // Past the drive, a colon can only start the name of a stream.
    return rest.find(L':') != std::wstring_view::npos;
}

}  // namespace twinpath::win32
