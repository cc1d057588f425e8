#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace twinpath::fakes {

// An in-memory file system with Windows path rules: drive roots ("C:") and
// share roots ("\\server\share"), case-insensitive lookup, an 8.3 alias for
// every long name that resolves back to it, "\\" inside a path counting as
// one "\", "." and ".." in a folder's enumeration but not in a root's.
// Local time is UTC+9 with no daylight saving.
class FakeFileSystem final : public FileSystem {
public:
    struct Node {
        std::wstring name;
        std::wstring alias;  // the 8.3 name; empty when the long name is one
        std::uint32_t attributes = 0;
        std::uint64_t size = 0;
        std::uint64_t lastWriteTime = 0;
        std::vector<std::unique_ptr<Node>> children;  // in creation order
    };

    // Adds a folder or file with every missing folder above it, in the case
    // written. A component may carry its alias as "Long Name|ALIAS~1".
    Node& addFolder(const std::wstring& path);
    Node& addFile(const std::wstring& path, std::uint64_t size = 0, std::uint64_t lastWriteTime = 0);
    void remove(const std::wstring& path);

    std::optional<std::uint32_t> attributes(const std::wstring& path) override;
    std::wstring shortPath(const std::wstring& path) override;
    std::unique_ptr<DirectorySearch> search(const std::wstring& pattern) override;
    std::optional<LocalTime> toLocalTime(std::uint64_t fileTime) override;

    // Switches the short-name call into failure, as on a volume without 8.3 names.
    bool failShortPath = false;

    int attributeReads = 0;
    int shortPathCalls = 0;
    int searches = 0;

    static std::uint64_t fileTime(int year, int month, int day, int hour, int minute, int second,
                                  int millisecond = 0);

private:
    struct Resolved {
        Node* node = nullptr;
        std::vector<std::wstring> shortParts;  // what the short-name call reports
        bool trailingSeparator = false;
    };

    Node* findChild(Node& parent, const std::wstring& name);
    Node& addPath(const std::wstring& path, bool folder);
    std::optional<Resolved> resolve(const std::wstring& path);
    std::wstring makeAlias(Node& parent, const std::wstring& name);

    std::map<std::wstring, std::unique_ptr<Node>> roots_;  // key: upper-cased root text
};

}  // namespace twinpath::fakes
