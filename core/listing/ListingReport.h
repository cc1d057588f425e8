#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "listing/FolderLister.h"
#include "listing/TreeLister.h"
#include "values/ListMode.h"

namespace twinpath {

// The text of a listing for the clipboard: the heading "DIR : folder", an
// empty line, in the size-and-date mode a column header, then one line per
// entry; in the tab-separated mode a header row and one row per entry, with
// no heading. Every line ends with CR LF. A listing without entries gives the
// heading (or the header row) alone; in the names-only mode its empty entry
// adds an empty line.
void appendListingHead(std::wstring& report, const std::wstring& folder, ListMode mode);
// One entry's line, with `name` as given (a whole tree's names are relative
// to the listed folder).
void appendListingLine(std::wstring& report, const std::wstring& name, const ListingEntry& entry, ListMode mode);

// A report for the clipboard, grown in pieces of about a megabyte as the
// listing comes: none of it is copied again until the pieces go to the
// clipboard one after the other.
class ListingReport final : public ListingSink {
public:
    explicit ListingReport(ListMode mode) : mode_(mode) {}
    void folder(const std::wstring& listedFolder) override;
    void entry(const std::wstring& name, const ListingEntry& entry) override;

    std::vector<std::wstring> pieces;

private:
    std::wstring& piece();

    const ListMode mode_;
};

// Hands one folder's listing to `sink`: its folder, then every entry, the
// empty entry of a folder without entries included.
void reportListing(const FolderListing& listing, ListingSink& sink);

// The 7-character size column of a file: its size in KB, or in MB, GB or "??"
// once the number would need more than five digits, right-aligned.
std::wstring scaledSizeColumn(std::uint64_t bytes);

}  // namespace twinpath
