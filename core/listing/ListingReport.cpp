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

std::wstring buildListingReport(const FolderListing& listing, ListMode mode) {
    const auto& names = listing.names;
    std::size_t capacity = listing.folder.size() + kColumnHeader.size() + 16;
    // Per line: the 7-character column, a blank, the 19-character time, TAB and CR LF.
    for (const auto& name : names) capacity += name.size() + 32;
    std::wstring report;
    report.reserve(capacity);

    report += L"DIR : ";
    report += listing.folder;
    report += kLineEnd;
    report += kLineEnd;
    if (mode == ListMode::NamesOnly) {
        for (const auto& name : names) {
            report += name;
            report += kLineEnd;
        }
        return report;
    }
    report += kColumnHeader;
    for (std::size_t i = 0; i < names.size(); ++i)
        appendDetailLine(report, names[i], i < listing.entryLines.size() ? listing.entryLines[i] : std::wstring_view());
    return report;
}

}  // namespace twinpath
