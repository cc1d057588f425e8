#include "listing/ListingBuilder.h"

#include <exception>

#include "listing/ListingOrder.h"
#include "listing/ListingReport.h"

namespace twinpath {

namespace {

// Fills `result` as it goes, so that a failure on the way knows the folder.
void listOneFolder(FileSystem& fileSystem, TextServices& text, const std::wstring& path, ListingSink& sink,
                   ListingProgress* progress, TreeListing& result) {
    FolderListing listing = FolderLister(fileSystem).list(path, progress);
    result.folder = listing.folder;
    result.failure = listing.failure;
    result.stopped = listing.stopped || (progress && progress->stop.load(std::memory_order_relaxed));
    if (!result.failure.empty() || result.stopped) return;
    sortListing(listing, text);
    reportListing(listing, sink);
    for (const ListingEntry& entry : listing.entries) result.entries += entry.name.empty() ? 0 : 1;
}

}  // namespace

TreeListing buildListing(FileSystem& fileSystem, TextServices& text, const std::wstring& path, bool wholeTree,
                         ListingSink& sink, ListingProgress* progress) {
    TreeListing result;
    try {
        if (wholeTree) return TreeLister(fileSystem, text).list(path, sink, progress);
        listOneFolder(fileSystem, text, path, sink, progress, result);
        return result;
    } catch (const std::exception&) {
        TreeListing failed;
        failed.folder = result.folder.empty() ? path : result.folder;
        failed.failure = kListingOutOfMemory;
        return failed;
    }
}

}  // namespace twinpath
