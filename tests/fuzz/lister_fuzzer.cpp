// Any tree and any path: the folder listing, its sort as the list-copy command does it (the sort
// target checks the order), and the report in both modes.
#include "FuzzInput.h"
#include "listing/ListingReport.h"
#include "listing/PairedSort.h"

using namespace twinpath;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fakes::FakeFileSystem fs;
    fakes::FakeText text;
    const std::wstring path = fuzz::addTree(fuzz::linesOf(data, size), fs);
    FolderListing listing = FolderLister(fs).list(path);
    auto& [folder, names, lines] = listing;
    fuzz::require(names.size() == lines.size() && names.empty() == !fs.attributes(path), "one line per name", path);
    if (!names.empty()) sortPaired(lines, names, 0, static_cast<std::int32_t>(names.size()) - 1, text);
    std::size_t detail = 0;  // the size-and-date lines: column, blank, time, TAB, name, CR LF
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (!lines[i].empty()) detail += 30 + names[i].size();
        // Each line tells the kind of the entry named beside it, which is neither "." nor "..".
        const auto bits = fs.attributes(folder + L"\\" + names[i]).value_or(0);
        const std::wstring entry = (bits & kAttributeDirectory ? L"D " : L"F ") + names[i] + L"   >";
        fuzz::require(
            lines[i].empty() ? names[i].empty() : lines[i].starts_with(entry) && names[i] != L"." && names[i] != L"..",
            "each line is its name's", lines[i]);
    }
    for (const ListMode mode : {ListMode::NamesOnly, ListMode::SizeAndDate}) {
        const std::wstring report = buildListingReport(listing, mode);
        fuzz::require(report.starts_with(L"DIR : " + folder + L"\r\n\r\n") && report.ends_with(L"\r\n") &&
                          std::ranges::count(report, L'\r') == std::ranges::count(report, L'\n'),
                      "the report is the folder's heading and lines that end with CR LF", report);
        // Names: the heading's two lines and one per name. Sizes and dates: 44 characters for the heading
        // and the column header besides the folder, and the entries' lines.
        fuzz::require(mode == ListMode::NamesOnly ? std::ranges::count(report, L'\n') == 2 + std::ssize(names)
                                                  : report.size() == 44 + folder.size() + detail,
                      "one well-formed line per entry", report);
    }
    return 0;
}
