// Any tree and any path: the lister's tables, their sort as the list-copy
// command does it, and the report in both modes.
#include "listing/ListingReport.h"
#include "listing/StatusLine.h"
#include "listing/clsLngLst.h"
#include "listing/modQSort.h"
#include "pathname/PathShape.h"
#include "tests/fakes/FakeTextServices.h"
#include "tests/fuzz/FuzzInput.h"

namespace twinpath::fuzz {
namespace {

using Tables = std::vector<std::wstring>;

constexpr wchar_t kLineEnd[] = L"\r\n";

bool isEmptyListing(const Tables& names, const Tables& statuses) {
    return names == Tables{L""} && statuses == Tables{L""};
}

// Each status line belongs to the name beside it and tells its kind right.
void checkPairs(FileSystem& fs, const std::wstring& folder, const Tables& names, const Tables& statuses) {
    require(names.size() == statuses.size(), "the tables are of one size", folder);
    if (isEmptyListing(names, statuses)) return;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::wstring& name = names[i];
        require(!name.empty() && name != L"." && name != L"..", "an entry has a name of its own", folder);
        const auto attributes = fs.attributes(folder + L"\\" + name);
        require(attributes.has_value(), "a listed entry exists", name);
        const std::wstring mark = (*attributes & kAttributeDirectory) ? L"D " : L"F ";
        require(statusField(statuses[i], 0) == mark + name + L"   ", "the status line is the entry's", name);
        require(statusField(statuses[i], 2).size() == 19, "the time field has 19 characters", statuses[i]);
    }
}

void checkListing(FileSystem& fs, const std::wstring& path, const std::optional<std::wstring>& folder,
                  const Tables& names, const Tables& statuses) {
    if (!fs.attributes(path)) {
        require(folder == L"" && names == Tables{L"left over"} && statuses == Tables{L"from", L"before"},
                "nothing stored leaves the tables alone", path);
        return;
    }
    if (!folder || folder->empty()) {
        require(isEmptyListing(names, statuses), "a failed walk leaves one empty entry", path);
        return;
    }
    const auto attributes = fs.attributes(*folder);
    require(attributes && (*attributes & kAttributeDirectory), "the listed folder is a folder", path);
    const PathHead head = splitHead(path);
    const bool isRoot = head.kind != PathHead::Kind::None && *folder == path.substr(0, head.length);
    require(isRoot || (path.starts_with(*folder) &&
                       (folder->size() == path.size() || path[folder->size()] == L'\\')),
            "the listed folder is the path or a folder above it", path);
    checkPairs(fs, *folder, names, statuses);
}

void checkReport(const std::wstring& folder, const Tables& names, const Tables& statuses, ListMode mode) {
    const std::wstring report = buildListingReport(folder, names, statuses, mode);
    const std::wstring heading = L"DIR : " + folder + kLineEnd + kLineEnd;
    require(report.starts_with(heading), "the report starts with the folder's heading", report);
    require(report.ends_with(kLineEnd), "the report ends with a line end", report);
    require(countOf(report, L"\n") == countOf(report, kLineEnd) &&
                countOf(report, L"\r") == countOf(report, kLineEnd),
            "every line ends with CR LF", report);
    if (mode == ListMode::NamesOnly) {
        require(countOf(report, kLineEnd) == 2 + names.size(), "one line per name", report);
        return;
    }
    // A name without a status line of its own, as in an empty listing, gives no line.
    std::size_t entries = 0;
    for (std::size_t i = 0; i < names.size() && i < statuses.size(); ++i)
        entries += statuses[i].empty() ? 0 : 1;
    require(countOf(report, kLineEnd) == 3 + entries, "one line per listed entry after the header", report);
}

void checkSizeColumn(std::uint64_t bytes) {
    const std::wstring column = scaledSizeColumn(bytes);
    require(column.size() == 7, "the size column has 7 characters", column);
    const auto digits = column.find_first_not_of(L' ');
    const auto unit = column.find_first_not_of(L"0123456789", digits);
    require(digits < unit && unit != std::wstring::npos, "the size column holds a number", column);
    const std::wstring suffix = column.substr(unit);
    require(suffix == L"KB" || suffix == L"MB" || suffix == L"GB" || suffix == L"??", "the size has a unit",
            column);
}

}  // namespace
}  // namespace twinpath::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace twinpath;
    using fuzz::Tables;
    FuzzedDataProvider in(data, size);
    fakes::FakeFileSystem fs;
    const fuzz::Words words = fuzz::addTree(in, fs);
    const std::wstring path = fuzz::consumePath(in, words);
    fuzz::checkSizeColumn(in.ConsumeIntegral<std::uint64_t>());

    clsLngLst lister(fs);
    lister.pInFileName(path);
    Tables names{L"left over"};
    Tables statuses{L"from", L"before"};
    const auto folder = lister.pListFileName(names, statuses);
    fuzz::checkListing(fs, path, folder, names, statuses);

    // As the list-copy command does it: status lines are the keys, names go with them.
    fakes::FakeTextServices text;
    if (!names.empty()) QSort(statuses, names, 0, static_cast<std::int32_t>(names.size()) - 1, text);
    if (names.size() == statuses.size()) {
        for (std::size_t i = 1; i < statuses.size(); ++i)
            fuzz::require(text.compareNoCase(statuses[i - 1], statuses[i]) <= 0,
                          "the status lines are in order", statuses[i]);
        if (folder && !folder->empty()) fuzz::checkPairs(fs, *folder, names, statuses);
    }
    fuzz::checkReport(folder.value_or(L""), names, statuses, ListMode::NamesOnly);
    fuzz::checkReport(folder.value_or(L""), names, statuses, ListMode::SizeAndDate);
    return 0;
}
