#include "listing/ListingReport.h"

#include <cmath>
#include <string_view>

#include "listing/EntryLine.h"

namespace twinpath {

namespace {

constexpr std::wstring_view kLineEnd = L"\r\n";
constexpr std::wstring_view kColumnHeader = L"  SIZE   DATE       TIME   \tNAME\r\n";
constexpr std::wstring_view kFolderColumn = L"<DIR>  ";
constexpr std::wstring_view kTabSeparatedHeader = L"Name\tType\tSize\tModified\r\n";
constexpr std::size_t kColumnWidth = 7;

// Each step rounds the quotient that the previous step left, half to even
// (nearbyint under the default rounding mode), so 106,429,952 bytes give
// 103,936 KB and then 102 MB, not the 101 MB of a single division.
double scaledDown(double value) { return std::nearbyint(value / 1024.0); }

void appendDetailLine(std::wstring& report, const std::wstring& name, const ListingEntry& entry) {
    // The entry of an empty listing gives no line.
    if (entry.name.empty()) return;
    if (entry.attributes & kAttributeDirectory)
        report += kFolderColumn;
    else
        report += scaledSizeColumn(entry.size);
    report += L' ';
    appendEntryTime(report, entry.lastWrite, L'/');
    report += L'\t';
    report += name;
    report += kLineEnd;
}

// One row of the tab-separated report: name, kind, size in bytes (none for a
// folder) and the time as "yyyy-mm-dd hh:mm:ss". A spreadsheet reads a cell
// that starts with "=", "+", "-" or "@" as a formula: the apostrophe makes it
// text.
void appendTabSeparatedRow(std::wstring& report, const std::wstring& name, const ListingEntry& entry) {
    if (entry.name.empty()) return;
    if (!name.empty() && std::wstring_view(L"=+-@").find(name[0]) != std::wstring_view::npos) report += L'\'';
    report += name;
    const bool folder = entry.attributes & kAttributeDirectory;
    report += folder ? L"\tFolder\t" : L"\tFile\t";
    if (!folder) report += std::to_wstring(entry.size);
    report += L'\t';
    appendEntryTime(report, entry.lastWrite, L'-');
    report += kLineEnd;
}

}  // namespace

std::wstring scaledSizeColumn(std::uint64_t bytes) {
    static constexpr std::wstring_view kUnits[] = {L"KB", L"MB", L"GB"};
    std::size_t unit = 0;
    double value = scaledDown(static_cast<double>(bytes));
    while (value >= 100000.0) {
        ++unit;
        value = scaledDown(value);
    }
    std::wstring text = std::to_wstring(static_cast<std::uint64_t>(value));
    text += unit < std::size(kUnits) ? kUnits[unit] : L"??";
    if (text.size() < kColumnWidth) text.insert(0, kColumnWidth - text.size(), L' ');
    return text;
}

void appendListingHead(std::wstring& report, const std::wstring& folder, ListMode mode) {
    if (mode == ListMode::TabSeparated) {
        report += kTabSeparatedHeader;
        return;
    }
    report += L"DIR : ";
    report += folder;
    report += kLineEnd;
    report += kLineEnd;
    if (mode == ListMode::SizeAndDate) report += kColumnHeader;
}

void appendListingLine(std::wstring& report, const std::wstring& name, const ListingEntry& entry, ListMode mode) {
    if (mode == ListMode::TabSeparated) {
        appendTabSeparatedRow(report, name, entry);
    } else if (mode == ListMode::SizeAndDate) {
        appendDetailLine(report, name, entry);
    } else {
        report += name;
        report += kLineEnd;
    }
}

void ListingReport::folder(const std::wstring& listedFolder) { appendListingHead(piece(), listedFolder, mode_); }

void ListingReport::entry(const std::wstring& name, const ListingEntry& entry) {
    appendListingLine(piece(), name, entry, mode_);
}

std::wstring& ListingReport::piece() {
    constexpr std::size_t kPieceUnits = 1 << 19;
    if (pieces.empty() || pieces.back().size() > kPieceUnits - 1024) pieces.emplace_back().reserve(kPieceUnits);
    return pieces.back();
}

void reportListing(const FolderListing& listing, ListingSink& sink) {
    sink.folder(listing.folder);
    for (const ListingEntry& entry : listing.entries) sink.entry(entry.name, entry);
}

}  // namespace twinpath
