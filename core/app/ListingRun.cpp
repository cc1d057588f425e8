#include "app/ListingRun.h"

#include <exception>

#include "app/Texts.h"
#include "listing/ListingOrder.h"
#include "listing/ListingReport.h"

namespace twinpath {

namespace {

ListingResult listOneFolder(FileSystem& fileSystem, TextServices& text, const std::wstring& path, ListMode mode,
                            ListingProgress& progress) {
    ListingResult result;
    FolderListing listing = FolderLister(fileSystem, text).list(path, &progress);
    result.folder = listing.folder;
    result.failure = listing.failure;
    result.stopped = listing.stopped || progress.stop.load(std::memory_order_relaxed);
    if (result.stopped) return result;
    sortListing(listing, text);
    if (result.failure.empty()) result.report.push_back(buildListingReport(listing, mode));
    return result;
}

ListingResult listTree(FileSystem& fileSystem, TextServices& text, const std::wstring& path, ListMode mode,
                       ListingProgress& progress) {
    TreeReport sink(mode);
    const TreeListing tree = TreeLister(fileSystem, text).list(path, sink, &progress);
    ListingResult result{tree.folder, tree.failure, tree.stopped, {}, tree.entries, tree.unread};
    if (tree.failure.empty()) result.report = std::move(sink.pieces);
    return result;
}

}  // namespace

ListingResult runListing(FileSystem& fileSystem, TextServices& text, const std::wstring& path, ListMode mode,
                         bool wholeTree, ListingProgress& progress) {
    try {
        return wholeTree ? listTree(fileSystem, text, path, mode, progress)
                         : listOneFolder(fileSystem, text, path, mode, progress);
    } catch (const std::exception&) {
        ListingResult failed;
        failed.folder = path;
        failed.failure = texts::kOutOfMemory;
        return failed;
    }
}

}  // namespace twinpath
