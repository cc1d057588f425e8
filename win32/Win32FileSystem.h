#pragma once

#include "ports/FileSystem.h"
#include "win32/ZoneRules.h"

namespace twinpath::win32 {

// The file system through the wide kernel32 calls, long paths included.
// Not final: a test holds up the calls it chooses, as a dead share would.
class Win32FileSystem : public FileSystem {
public:
    std::optional<std::uint32_t> attributes(const std::wstring& path) override;
    std::wstring whyUnreadable(const std::wstring& path) override;
    std::wstring shortPath(const std::wstring& path, std::wstring& failure) override;
    std::optional<std::wstring> shortName(const std::wstring& path) override;
    std::wstring networkPath(const std::wstring& drivePath) override;
    ShortNameFacts shortNameFacts(const std::wstring& folder) override;
    std::unique_ptr<DirectorySearch> search(const std::wstring& pattern) override;
    std::optional<LocalTime> toLocalTime(std::uint64_t fileTime) override;

private:
    ZoneRules zone_;
};

}  // namespace twinpath::win32
