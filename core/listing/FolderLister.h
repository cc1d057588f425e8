#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ports/FileSystem.h"

namespace twinpath {

// One listed entry: what the reports write of it, read once from the search.
struct ListingEntry {
    std::wstring name;
    // What orders entries whose names compare equal (EntryLine.h).
    std::wstring sizeAndTime;
    std::uint32_t attributes = 0;
    std::uint64_t size = 0;
    // Nothing when the platform cannot convert it.
    std::optional<LocalTime> lastWrite;
};

// One folder's entries. A folder without entries holds one entry whose name
// is empty: a names-only report gives it its empty line.
struct FolderListing {
    std::wstring folder;
    std::vector<ListingEntry> entries;
    // Why the folder could not be read to its end (the system's message);
    // empty for a complete listing.
    std::wstring failure;
    // Stopped on request before it was complete.
    bool stopped = false;
};

// What a listing running off the window's thread shares with the window.
struct ListingProgress {
    // The folder being listed, once `folderKnown` is set.
    std::wstring folder;
    std::atomic<bool> folderKnown{false};
    std::atomic<std::size_t> entries{0};
    // Set by the window when the listing is no longer wanted.
    std::atomic<bool> stop{false};
};

// Lists the folder that a path names or lies in.
class FolderLister {
public:
    explicit FolderLister(FileSystem& fileSystem) : fileSystem_(fileSystem) {}

    // A path whose attributes cannot be read gives an empty folder and no
    // entries. Otherwise the entries come in the order the file system
    // delivers them, or as the single empty entry for a folder without
    // entries; a walk up to the folder that fails gives an empty folder with
    // that single empty entry. A search that fails on the way leaves its
    // message in `failure`. With `progress`, the folder and the count of
    // entries read are told as they become known, and a stop request ends
    // the search at the next entry.
    FolderListing list(const std::wstring& path, ListingProgress* progress = nullptr);
    // Lists a folder that is known to be one, as list() lists the folder it
    // finds.
    FolderListing listFolder(const std::wstring& folder, ListingProgress* progress = nullptr);

private:
    void enumerate(FolderListing& listing, ListingProgress* progress);

    FileSystem& fileSystem_;
};

}  // namespace twinpath
