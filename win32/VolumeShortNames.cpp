#include "win32/VolumeShortNames.h"

#include <windows.h>

#include <winioctl.h>

#include "win32/BufferCall.h"
#include "win32/Handles.h"
#include "win32/LongPath.h"

namespace twinpath::win32 {

namespace {

// The root of the volume that holds `path` ("C:\", "\\server\share\", or the
// folder a volume is mounted on); empty when it cannot be told.
std::wstring volumeRoot(const std::wstring& path) {
    // The root is never longer than the path with a separator added.
    std::wstring root(path.size() + 2 < MAX_PATH ? MAX_PATH : path.size() + 2, L'\0');
    if (!::GetVolumePathNameW(path.c_str(), root.data(), static_cast<DWORD>(root.size()))) return {};
    root.resize(std::char_traits<wchar_t>::length(root.c_str()));
    return root;
}

bool isSystemVolume(const std::wstring& root) {
    std::wstring windowsFolder;
    if (!callWithGrowingBuffer([](wchar_t* buffer, DWORD size) { return ::GetSystemWindowsDirectoryW(buffer, size); },
                               windowsFolder))
        return false;
    const std::wstring systemRoot = volumeRoot(windowsFolder);
    return !systemRoot.empty() && ::CompareStringOrdinal(root.c_str(), -1, systemRoot.c_str(), -1, TRUE) == CSTR_EQUAL;
}

// The volume's own state: whether it makes 8.3 aliases for new items.
std::optional<bool> volumeMakesShortNames(const std::wstring& root) {
    // Reading attributes is the least access a handle can have, and it is
    // enough for both queries below: nothing opened so can change the volume.
    const HANDLE opened =
        ::CreateFileW(root.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    const UniqueHandle volume(opened == INVALID_HANDLE_VALUE ? nullptr : opened);
    if (!volume) return std::nullopt;
    // Newer systems answer directly; kernel32 of older ones lacks the call.
    using AreShortNamesEnabled = BOOL(WINAPI*)(HANDLE, BOOL*);
    if (const HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll")) {
        const auto query = reinterpret_cast<AreShortNamesEnabled>(
            reinterpret_cast<void (*)()>(::GetProcAddress(kernel, "AreShortNamesEnabled")));
        BOOL enabled = FALSE;
        if (query && query(volume.get(), &enabled)) return enabled != FALSE;
    }
    // A query of the volume's persistent state; it changes nothing.
    FILE_FS_PERSISTENT_VOLUME_INFORMATION asked{};
    FILE_FS_PERSISTENT_VOLUME_INFORMATION state{};
    asked.Version = 1;
    asked.FlagMask = PERSISTENT_VOLUME_STATE_SHORT_NAME_CREATION_DISABLED;
    DWORD returned = 0;
    if (!::DeviceIoControl(volume.get(), FSCTL_QUERY_PERSISTENT_VOLUME_STATE, &asked, sizeof asked, &state,
                           sizeof state, &returned, nullptr))
        return std::nullopt;
    return (state.VolumeFlags & PERSISTENT_VOLUME_STATE_SHORT_NAME_CREATION_DISABLED) == 0;
}

std::optional<std::uint32_t> systemWideSetting() {
    DWORD value = 0;
    DWORD size = sizeof value;
    if (::RegGetValueW(HKEY_LOCAL_MACHINE, L"SYSTEM\\CurrentControlSet\\Control\\FileSystem",
                       L"NtfsDisable8dot3NameCreation", RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

}  // namespace

ShortNameFacts readShortNameFacts(const std::wstring& folder) {
    ShortNameFacts facts;
    facts.systemSetting = systemWideSetting();
    // A long folder needs the "\\?\" form; the root it leads to is short again.
    const std::wstring root = fromApiPath(volumeRoot(toApiPath(folder)), folder);
    if (root.empty()) return facts;
    facts.remote = ::GetDriveTypeW(root.c_str()) == DRIVE_REMOTE;
    wchar_t fileSystem[MAX_PATH + 1] = {};
    if (::GetVolumeInformationW(root.c_str(), nullptr, 0, nullptr, nullptr, nullptr, fileSystem, MAX_PATH + 1))
        facts.fileSystem = fileSystem;
    facts.systemVolume = isSystemVolume(root);
    // A share's state is the server's and is not asked for: its answer would
    // not tell why the share offers none.
    if (!facts.remote) facts.volumeMakesThem = volumeMakesShortNames(root);
    return facts;
}

}  // namespace twinpath::win32
