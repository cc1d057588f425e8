#pragma once

#include <string>
#include <vector>

#include "listing/FolderLister.h"
#include "listing/TreeLister.h"
#include "ports/FileSystem.h"
#include "ports/TextServices.h"
#include "values/ListMode.h"

namespace twinpath {

// How a listing for the clipboard went.
struct ListingResult {
    // The listed folder, once known.
    std::wstring folder;
    // Why the folder could not be listed to its end; then `report` is empty.
    std::wstring failure;
    bool stopped = false;
    // The listing's text, in pieces.
    std::vector<std::wstring> report;
    // For a whole tree: its entries and the folders below whose contents are missing.
    std::size_t entries = 0;
    std::vector<UnreadFolder> unread;
};

// Lists, sorts and reports the folder of a path, or the whole tree below it;
// may wait on a slow share. `progress` is read meanwhile and its stop flag
// ends the listing between entries.
ListingResult runListing(FileSystem& fileSystem, TextServices& text, const std::wstring& path, ListMode mode,
                         bool wholeTree, ListingProgress& progress);

}  // namespace twinpath
