#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace twinpath {

// Attribute bits as the file system reports them: a folder, and a junction or
// symbolic link (a reparse point).
inline constexpr std::uint32_t kAttributeDirectory = 0x10;
inline constexpr std::uint32_t kAttributeReparsePoint = 0x400;

// One entry delivered by a search: the fields the program reads of it.
struct FindEntry {
    std::wstring name;
    std::uint32_t attributes = 0;
    std::uint64_t size = 0;
    // 100-nanosecond intervals since 1601-01-01 UTC.
    std::uint64_t lastWriteTime = 0;
};

// Calendar fields of a time in the user's local time, cut to whole seconds.
struct LocalTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// What the system tells, read without writing, about how a volume makes 8.3
// aliases for new items.
struct ShortNameFacts {
    // "NTFS", "ReFS", "exFAT", "FAT32" and so on; empty when it could not be read.
    std::wstring fileSystem;
    bool remote = false;        // a network share
    bool systemVolume = false;  // the volume that holds the Windows folder
    // The volume's own state (on where aliases are made); nothing when it
    // could not be read.
    std::optional<bool> volumeMakesThem;
    // The system-wide NtfsDisable8dot3NameCreation (0-3); nothing when it
    // could not be read.
    std::optional<std::uint32_t> systemSetting;
};

// An open search. Closing happens when the object goes.
class DirectorySearch {
public:
    virtual ~DirectorySearch() = default;
    // Fills `entry` with the next match; false once there is none, at the end
    // of the search or when it failed.
    virtual bool next(FindEntry& entry) = 0;
    // Why the search ended early: the system's message, or empty when it
    // delivered every match (none at all included).
    virtual std::wstring failure() const = 0;
};

// The file system as the converter and the lister see it. Paths use "\" and
// follow Windows rules: drive and UNC roots, case-insensitive names, 8.3
// aliases that resolve back to the long names.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // The attribute bits of an existing file or folder; nothing when the path
    // does not exist, is malformed or cannot be reached.
    virtual std::optional<std::uint32_t> attributes(const std::wstring& path) = 0;
    // Why the attributes of a path cannot be read, in the system's words (as
    // "The system cannot find the file specified."); empty when they can.
    virtual std::wstring whyUnreadable(const std::wstring& path) = 0;

    // The short (8.3) form of an existing path; empty when the system cannot
    // make it (a share may not), with the system's message in `failure`.
    virtual std::wstring shortPath(const std::wstring& path, std::wstring& failure) = 0;

    // The 8.3 alias of one existing item: empty when it has none, nothing
    // when the item cannot be read.
    virtual std::optional<std::wstring> shortName(const std::wstring& path) = 0;

    // The "\\server\share\..." form of a path on a drive that is mapped to a
    // network share, as the system's network layer tells it; empty for a
    // path on any other drive, or when the system cannot tell.
    virtual std::wstring networkPath(const std::wstring& drivePath) = 0;

    // What the volume that holds `folder` tells about its 8.3 aliases.
    virtual ShortNameFacts shortNameFacts(const std::wstring& folder) = 0;

    // Starts a search over one path or a folder pattern ending in "\*".
    // A search that matches nothing delivers no entry.
    virtual std::unique_ptr<DirectorySearch> search(const std::wstring& pattern) = 0;

    // Converts a last-write time to local calendar fields with the time-zone
    // rules in force at that time; nothing when it cannot be converted.
    virtual std::optional<LocalTime> toLocalTime(std::uint64_t fileTime) = 0;
};

}  // namespace twinpath
