#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "ports/FileSystem.h"
#include "ports/TextServices.h"

namespace twinpath {

// One folder's entries: their names and, in the same order, their entry lines
// (see EntryLine.h), which are also the keys the listing is sorted by.
struct FolderListing {
    std::wstring folder;
    std::vector<std::wstring> names;
    std::vector<std::wstring> entryLines;
    // The entries' attribute bits, in the same order.
    std::vector<std::uint32_t> attributes;
    // The entry lines' sort keys, in the same order, when the lister made
    // them; sortListing (ListingOrder.h) uses them up.
    std::vector<std::string> sortKeys;
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
    // Also makes each entry line's sort key with `text`'s maker as the folder
    // is read, so that the sort that follows has none left to make.
    FolderLister(FileSystem& fileSystem, TextServices& text)
        : fileSystem_(fileSystem), sortKeys_(text.sortKeyMaker()) {}

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
    std::unique_ptr<SortKeyMaker> sortKeys_;
};

}  // namespace twinpath
