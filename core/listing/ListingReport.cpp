#include "listing/ListingReport.h"

#include <cmath>
#include <limits>
#include <string_view>

#include "listing/EntryLine.h"

namespace twinpath {

namespace {

constexpr std::wstring_view kLineEnd = L"\r\n";
constexpr std::wstring_view kColumnHeader = L"  SIZE   DATE       TIME   \tNAME\r\n";
constexpr std::wstring_view kFolderColumn = L"<DIR>  ";
constexpr std::wstring_view kTabSeparatedHeader = L"Name\tType\tSize\tModified\r\n";
constexpr std::size_t kColumnWidth = 7;

// Leading digits of a size field; a value too large for 64 bits saturates.
std::uint64_t parseSize(std::wstring_view field) {
    std::uint64_t value = 0;
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
    for (const wchar_t c : field) {
        if (c < L'0' || c > L'9') break;
        const auto digit = static_cast<std::uint64_t>(c - L'0');
        if (value > (kMax - digit) / 10) return kMax;
        value = value * 10 + digit;
    }
    return value;
}

// Each step rounds the quotient that the previous step left, half to even
// (nearbyint under the default rounding mode), so 106,429,952 bytes give
// 103,936 KB and then 102 MB, not the 101 MB of a single division.
double scaledDown(double value) { return std::nearbyint(value / 1024.0); }

void appendDetailLine(std::wstring& report, const std::wstring& name, std::wstring_view line) {
    // The entry line of an empty listing has no fields and gives no line.
    if (line.empty()) return;
    if (entryLineField(line, 0).starts_with(L'D'))
        report += kFolderColumn;
    else
        report += scaledSizeColumn(parseSize(entryLineField(line, 1)));
    report += L' ';
    report += entryLineField(line, 2);
    report += L'\t';
    report += name;
    report += kLineEnd;
}

// One row of the tab-separated report: name, kind, size in bytes (none for a
// folder) and the time as "yyyy-mm-dd hh:mm:ss". A spreadsheet reads a cell
// that starts with "=", "+", "-" or "@" as a formula: the apostrophe makes it
// text.
void appendTabSeparatedRow(std::wstring& report, const std::wstring& name, std::wstring_view line) {
    if (line.empty()) return;
    if (!name.empty() && std::wstring_view(L"=+-@").find(name[0]) != std::wstring_view::npos) report += L'\'';
    report += name;
    const bool folder = entryLineField(line, 0).starts_with(L'D');
    report += folder ? L"\tFolder\t" : L"\tFile\t";
    if (!folder) report += entryLineField(line, 1);
    report += L'\t';
    std::wstring time(entryLineField(line, 2));
    for (const std::size_t at : {4, 7})
        if (at < time.size()) time[at] = L'-';
    report += time;
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

void appendListingLine(std::wstring& report, const std::wstring& name, std::wstring_view entryLine, ListMode mode) {
    if (mode == ListMode::TabSeparated) {
        appendTabSeparatedRow(report, name, entryLine);
    } else if (mode == ListMode::SizeAndDate) {
        appendDetailLine(report, name, entryLine);
    } else {
        report += name;
        report += kLineEnd;
    }
}

void TreeReport::folder(const std::wstring& listedFolder) { appendListingHead(piece(), listedFolder, mode_); }

void TreeReport::entry(const std::wstring& relativeName, const std::wstring& entryLine) {
    appendListingLine(piece(), relativeName, entryLine, mode_);
}

std::wstring& TreeReport::piece() {
    constexpr std::size_t kPieceUnits = 1 << 19;
    if (pieces.empty() || pieces.back().size() > kPieceUnits - 1024) pieces.emplace_back().reserve(kPieceUnits);
    return pieces.back();
}

std::wstring buildListingReport(const FolderListing& listing, ListMode mode) {
    const auto& names = listing.names;
    std::size_t capacity = listing.folder.size() + kColumnHeader.size() + 16;
    // Per line: the 7-character column, a blank, the 19-character time, TAB and
    // CR LF; or an apostrophe, the kind between TABs, 20 digits, TAB, the time
    // and CR LF.
    const std::size_t perLine = mode == ListMode::TabSeparated ? 52 : 32;
    for (const auto& name : names) capacity += name.size() + perLine;
    std::wstring report;
    report.reserve(capacity);
    appendListingHead(report, listing.folder, mode);
    for (std::size_t i = 0; i < names.size(); ++i)
        appendListingLine(report, names[i], i < listing.entryLines.size() ? listing.entryLines[i] : std::wstring_view(),
                          mode);
    return report;
}

}  // namespace twinpath
