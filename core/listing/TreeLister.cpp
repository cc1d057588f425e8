#include "listing/TreeLister.h"

#include "listing/ListingOrder.h"

namespace twinpath {

namespace {

// One folder of the path from the listed folder down to the one being read.
struct Level {
    FolderListing part;
    std::size_t next = 0;
    std::wstring prefix;  // its entries' relative names start with it
};

std::wstring joined(const std::wstring& folder, const std::wstring& name) {
    return folder.ends_with(L'\\') ? folder + name : folder + L'\\' + name;
}

bool stopAsked(const ListingProgress* progress) { return progress && progress->stop.load(std::memory_order_relaxed); }

}  // namespace

TreeListing TreeLister::list(const std::wstring& path, ListingSink& sink, ListingProgress* progress) {
    TreeListing result;
    FolderListing top = lister_.list(path, progress);
    result.folder = top.folder;
    result.failure = top.failure;
    result.stopped = top.stopped;
    if (!result.failure.empty() || result.stopped) return result;
    sortListing(top, text_);
    sink.folder(top.folder);

    std::vector<Level> levels;
    levels.push_back({std::move(top), 0, {}});
    while (!levels.empty()) {
        if (stopAsked(progress)) {
            result.stopped = true;
            return result;
        }
        Level& level = levels.back();
        if (level.next >= level.part.entries.size()) {
            levels.pop_back();
            continue;
        }
        const ListingEntry& entry = level.part.entries[level.next++];
        // An empty folder's listing is one empty entry.
        if (entry.name.empty()) continue;
        std::wstring relative = level.prefix + entry.name;
        sink.entry(relative, entry);
        ++result.entries;
        if (!(entry.attributes & kAttributeDirectory) || (entry.attributes & kAttributeReparsePoint)) continue;
        FolderListing below = lister_.listFolder(joined(level.part.folder, entry.name), progress);
        if (below.stopped) continue;  // told at the top of the loop
        if (!below.failure.empty()) {
            result.unread.push_back({below.folder, below.failure});
            continue;
        }
        sortListing(below, text_);
        levels.push_back({std::move(below), 0, std::move(relative) + L'\\'});
    }
    return result;
}

}  // namespace twinpath
