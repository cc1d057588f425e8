#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "listing/FolderLister.h"
#include "listing/ListMode.h"
#include "listing/TreeLister.h"

namespace twinpath {

// The text of a listing for the clipboard: the heading "DIR : folder", an
// empty line, in the size-and-date mode a column header, then one line per
// entry; in the tab-separated mode a header row and one row per entry, with
// no heading. Every line ends with CR LF. A listing without entries gives the
// heading (or the header row) alone.
std::wstring buildListingReport(const FolderListing& listing, ListMode mode);

// The same report built in pieces, as a whole tree's listing is: the heading
// (or header row) of the listed folder, then each entry's line, its name as
// given.
void appendListingHead(std::wstring& report, const std::wstring& folder, ListMode mode);
void appendListingLine(std::wstring& report, const std::wstring& name, std::wstring_view entryLine, ListMode mode);

// A whole tree's report for the clipboard, grown in pieces of about a
// megabyte as the tree is read: none of it is copied again until the pieces
// go to the clipboard one after the other.
class TreeReport final : public TreeSink {
public:
    explicit TreeReport(ListMode mode) : mode_(mode) {}
    void folder(const std::wstring& listedFolder) override;
    void entry(const std::wstring& relativeName, const std::wstring& entryLine) override;

    std::vector<std::wstring> pieces;

private:
    std::wstring& piece();

    const ListMode mode_;
};

// The 7-character size column of a file: its size in KB, or in MB, GB or "??"
// once the number would need more than five digits, right-aligned.
std::wstring scaledSizeColumn(std::uint64_t bytes);

}  // namespace twinpath
