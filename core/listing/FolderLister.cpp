#include "listing/FolderLister.h"

#include "listing/EntryLine.h"
#include "paths/PathShape.h"

namespace twinpath {

namespace {

void makeEmpty(FolderListing& listing) { listing.entries.assign(1, ListingEntry()); }

}  // namespace

FolderListing FolderLister::list(const std::wstring& path, ListingProgress* progress) {
    FolderListing listing;
    if (!fileSystem_.attributes(path)) return listing;

    // A walk cut shorter than the root has left its drive or share behind; a
    // relative one stays inside its first folder.
    const PathShape shape = shapeOf(path);
    const std::size_t rootEnd = shape.hasRoot() ? shape.rootLength : path.find(L'\\') + 1;
    // Kept before the walk cuts into it: a file directly in a drive or share
    // root is listed through that root.
    const std::wstring root = path.substr(0, shape.rootLength);
    makeEmpty(listing);

    std::wstring folder = path;
    for (;;) {
        const auto bits = fileSystem_.attributes(folder);
        if (!bits) return listing;
        if (*bits & kAttributeDirectory) break;
        const auto cut = folder.rfind(L'\\');
        if (cut == std::wstring::npos) return listing;
        folder.resize(cut);
        if (folder.size() < rootEnd) {
            if (root.empty()) return listing;
            folder = root;
            break;
        }
    }
    if (progress) {
        progress->folder = folder;
        progress->folderKnown.store(true, std::memory_order_release);
    }
    return listFolder(folder, progress);
}

FolderListing FolderLister::listFolder(const std::wstring& folder, ListingProgress* progress) {
    FolderListing listing;
    listing.folder = folder;
    enumerate(listing, progress);
    return listing;
}

void FolderLister::enumerate(FolderListing& listing, ListingProgress* progress) {
    // The doubled "\" after a root ("C:\\*") is read as one by the file system.
    const auto search = fileSystem_.search(listing.folder + L"\\*");
    FindEntry found;  // one record for the whole search: its name buffer is reused
    while (search && search->next(found)) {
        if (progress && progress->stop.load(std::memory_order_relaxed)) {
            listing.stopped = true;
            break;
        }
        if (found.name == L"." || found.name == L"..") continue;
        ListingEntry& entry = listing.entries.emplace_back();
        entry.lastWrite = fileSystem_.toLocalTime(found.lastWriteTime);
        entry.sizeAndTime = sizeAndTime(found, entry.lastWrite);
        entry.name = found.name;
        entry.attributes = found.attributes;
        entry.size = found.size;
        if (progress) progress->entries.fetch_add(1, std::memory_order_relaxed);
    }
    if (listing.stopped) return;
    if (search) listing.failure = search->failure();
    if (listing.entries.empty()) makeEmpty(listing);
}

}  // namespace twinpath
