#pragma once

#include <string>

#include "listing/FolderLister.h"
#include "listing/TreeLister.h"
#include "ports/FileSystem.h"
#include "ports/TextServices.h"

namespace twinpath {

// The failure of a listing that ran out of memory on the way.
inline constexpr wchar_t kListingOutOfMemory[] = L"not enough memory.";

// The one way the window and the console make a listing: the folder that
// `path` names or lies in (with `wholeTree`, and everything below it) is
// read, sorted and handed to `sink`. A single folder reaches the sink only
// once it is read to its end and sorted; a tree's entries reach it as they
// are read, after the listed folder was read to its end. What went wrong is
// told as a tree's listing tells it; running out of memory at any step ends
// the listing with the failure `kListingOutOfMemory`, the listed folder (or
// the path, if that was not known yet) named.
TreeListing buildListing(FileSystem& fileSystem, TextServices& text, const std::wstring& path, bool wholeTree,
                         ListingSink& sink, ListingProgress* progress = nullptr);

}  // namespace twinpath
