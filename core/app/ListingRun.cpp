#include "app/ListingRun.h"

#include "listing/ListingBuilder.h"
#include "listing/ListingReport.h"

namespace twinpath {

ListingResult runListing(FileSystem& fileSystem, TextServices& text, const std::wstring& path, ListMode mode,
                         bool wholeTree, ListingProgress& progress) {
    ListingReport sink(mode);
    const TreeListing tree = buildListing(fileSystem, text, path, wholeTree, sink, &progress);
    ListingResult result{tree.folder, tree.failure, tree.stopped, {}, tree.entries, tree.unread};
    if (tree.failure.empty() && !tree.stopped) result.report = std::move(sink.pieces);
    return result;
}

}  // namespace twinpath
