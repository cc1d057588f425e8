#include "win32/Win32FileSystem.h"

#include <windows.h>

#include <vector>

#include "win32/BufferCall.h"
#include "win32/DevicePath.h"
#include "win32/Handles.h"
#include "win32/LongPath.h"
#include "win32/SystemMessage.h"
#include "win32/VolumeShortNames.h"
#include "win32/WindowLibraries.h"

namespace twinpath::win32 {

namespace {

void copyEntry(const WIN32_FIND_DATAW& data, FindEntry& entry) {
    entry.name.assign(data.cFileName);
    entry.attributes = data.dwFileAttributes;
    entry.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    entry.lastWriteTime =
        (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
}

// A folder that ends in "\" gives the pattern "C:\\*", whose doubled
// separator Windows reads as one, except in the "\\?\" form, which takes the
// path literally.
std::wstring withSingleSeparator(const std::wstring& pattern) {
    if (pattern.starts_with(L"\\\\?\\") && pattern.ends_with(L"\\\\*"))
        return pattern.substr(0, pattern.size() - 2) + L"*";
    return pattern;
}

class Win32Search final : public DirectorySearch {
public:
    explicit Win32Search(const std::wstring& pattern) {
        // Basic info skips the 8.3 name, and the large fetch asks for bigger
        // batches: the same fields, delivered faster.
        handle_.reset(::FindFirstFileExW(toApiPath(withSingleSeparator(pattern)).c_str(), FindExInfoBasic, &data_,
                                         FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
        pending_ = handle_.get() != INVALID_HANDLE_VALUE;
        if (!pending_) noteFailure();
    }

    bool next(FindEntry& entry) override {
        if (!pending_) return false;
        copyEntry(data_, entry);
        pending_ = ::FindNextFileW(handle_.get(), &data_) != FALSE;
        if (!pending_) noteFailure();
        return true;
    }

    std::wstring failure() const override { return failure_; }

private:
    // A search ends with "no more files", or with "file not found" when
    // nothing matches; any other error cuts it short.
    void noteFailure() {
        const DWORD error = ::GetLastError();
        if (error != ERROR_NO_MORE_FILES && error != ERROR_FILE_NOT_FOUND) failure_ = systemMessage(error);
    }

    UniqueFindHandle handle_{INVALID_HANDLE_VALUE};
    WIN32_FIND_DATAW data_{};
    bool pending_ = false;
    std::wstring failure_;
};

}  // namespace

std::optional<std::uint32_t> Win32FileSystem::attributes(const std::wstring& path) {
    // Devices and streams would otherwise pass as files, with forms that name
    // nothing on the disk.
    if (namesNoFileOrFolder(path)) return std::nullopt;
    const DWORD bits = ::GetFileAttributesW(toApiPath(path).c_str());
    if (bits == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return bits;
}

std::wstring Win32FileSystem::whyUnreadable(const std::wstring& path) {
    if (namesNoFileOrFolder(path)) return systemMessage(ERROR_FILE_NOT_FOUND);
    if (::GetFileAttributesW(toApiPath(path).c_str()) != INVALID_FILE_ATTRIBUTES) return {};
    return systemMessage(::GetLastError());
}

std::wstring Win32FileSystem::shortPath(const std::wstring& path, std::wstring& failure) {
    const std::wstring apiPath = toApiPath(path);
    std::wstring result;
    ::SetLastError(ERROR_SUCCESS);
    const bool ok = callWithGrowingBuffer(
        [&](wchar_t* buffer, DWORD capacity) { return ::GetShortPathNameW(apiPath.c_str(), buffer, capacity); },
        result);
    if (ok && !result.empty()) return fromApiPath(result, path);
    // A call that fails without saying why is still a failure.
    const DWORD error = ::GetLastError();
    failure = systemMessage(error == ERROR_SUCCESS ? ERROR_INVALID_FUNCTION : error);
    return {};
}

std::optional<std::wstring> Win32FileSystem::shortName(const std::wstring& path) {
    WIN32_FIND_DATAW data{};
    // The standard info fills in the alias that the listing's basic info skips.
    const UniqueFindHandle found(
        ::FindFirstFileExW(toApiPath(path).c_str(), FindExInfoStandard, &data, FindExSearchNameMatch, nullptr, 0));
    if (found.get() == INVALID_HANDLE_VALUE) return std::nullopt;
    return std::wstring(data.cAlternateFileName);
}

std::wstring Win32FileSystem::networkPath(const std::wstring& drivePath) {
    // Only a drive the system calls remote can be mapped to a share; asking
    // that first leaves the network layer unloaded for local drives.
    const std::wstring root = drivePath.substr(0, 3);
    if (::GetDriveTypeW(root.c_str()) != DRIVE_REMOTE) return {};
    // The answer is a structure that points at its text, both in the buffer.
    std::vector<std::uint64_t> buffer(128);
    for (int round = 0; round < 4; ++round) {
        DWORD size = static_cast<DWORD>(buffer.size() * sizeof(buffer[0]));
        const DWORD result =
            windowLibraries::getUniversalName(drivePath.c_str(), UNIVERSAL_NAME_INFO_LEVEL, buffer.data(), &size);
        if (result == NO_ERROR) {
            const wchar_t* name = reinterpret_cast<const UNIVERSAL_NAME_INFOW*>(buffer.data())->lpUniversalName;
            return name ? name : L"";
        }
        if (result != ERROR_MORE_DATA) return {};
        buffer.resize(size / sizeof(buffer[0]) + 1);
    }
    return {};
}

ShortNameFacts Win32FileSystem::shortNameFacts(const std::wstring& folder) { return readShortNameFacts(folder); }

std::unique_ptr<DirectorySearch> Win32FileSystem::search(const std::wstring& pattern) {
    return std::make_unique<Win32Search>(pattern);
}

std::optional<LocalTime> Win32FileSystem::toLocalTime(std::uint64_t fileTime) {
    FILETIME utcFileTime{static_cast<DWORD>(fileTime & 0xFFFFFFFFu), static_cast<DWORD>(fileTime >> 32)};
    SYSTEMTIME utc{};
    SYSTEMTIME local{};
    if (!::FileTimeToSystemTime(&utcFileTime, &utc)) return std::nullopt;
    // Each time is converted with the rules of its own year and season, as
    // Explorer shows it, not with the state in force today.
    const TIME_ZONE_INFORMATION* rules = zone_.forYear(utc.wYear);
    if (!rules || !::SystemTimeToTzSpecificLocalTime(rules, &utc, &local)) return std::nullopt;
    return LocalTime{local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond};
}

}  // namespace twinpath::win32
