#pragma once

#include <string>
#include <vector>

#include "listing/FolderLister.h"
#include "ports/FileSystem.h"
#include "ports/TextServices.h"

namespace twinpath {

// A folder below the listed one that could not be read, and the system's
// reason.
struct UnreadFolder {
    std::wstring folder;
    std::wstring message;
};

// How the listing of a whole tree went.
struct TreeListing {
    // The listed folder; empty when the path could not be read.
    std::wstring folder;
    // Why the listed folder itself could not be read to its end; then the
    // sink was given nothing.
    std::wstring failure;
    std::size_t entries = 0;
    // The folders below whose contents are missing, in the order met.
    std::vector<UnreadFolder> unread;
    bool stopped = false;
};

// Takes a listing as it is read: first the listed folder, then each entry in
// order; in a whole tree each is named relative to the listed folder
// ("Reports\2026\March.xlsx").
class ListingSink {
public:
    virtual ~ListingSink() = default;
    virtual void folder(const std::wstring& listedFolder) = 0;
    virtual void entry(const std::wstring& name, const ListingEntry& entry) = 0;
};

// Lists the folder that a path names or lies in and everything below it,
// depth first: each folder's entries sorted as a single folder's listing is,
// every subfolder followed at once by its own contents. Junctions and
// symbolic links are listed but never entered, so no loop and no walk out of
// the tree. A subfolder that cannot be read keeps its own line and lacks its
// contents. Only the ancestors of the folder being read are held in memory.
class TreeLister {
public:
    TreeLister(FileSystem& fileSystem, TextServices& text) : lister_(fileSystem), text_(text) {}

    TreeListing list(const std::wstring& path, ListingSink& sink, ListingProgress* progress = nullptr);

private:
    FolderLister lister_;
    TextServices& text_;
};

}  // namespace twinpath
