// Any tree and any path: the converter's two forms, the folder listing, its sort as the list-copy
// command does it, and the report in both modes; and the same bytes as a file of paths. A broken rule ends the run, so
// that libFuzzer keeps the input.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>

#include "cli/PathLines.h"
#include "fakes/Fakes.h"
#include "listing/ListingOrder.h"
#include "listing/ListingReport.h"
#include "paths/PathConverter.h"
#include "paths/PathShape.h"

using namespace twinpath;

namespace {

void require(bool holds, const char* rule, const std::wstring& subject) {
    if (holds) return;
    std::fprintf(stderr, "broken: %s\n  on: %ls\n", rule, subject.c_str());
    std::abort();
}

// One character per byte, in lines split at LF. Every line but the last adds an entry, as
// "size time path" (see FakeFileSystem::add), unless its path holds a character that no Windows
// name can; the last line is the path to run on.
std::wstring addTree(const std::uint8_t* data, std::size_t size, fakes::FakeFileSystem& fs) {
    std::vector<std::wstring> lines(1);
    for (const std::uint8_t* end = data + size; data != end; ++data)
        *data == '\n' ? lines.emplace_back() : lines.back() += static_cast<wchar_t>(*data);
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        wchar_t* path = nullptr;
        const auto bytes = std::wcstoull(lines[i].c_str(), &path, 10), time = std::wcstoull(path, &path, 10);
        const auto invalid = [](wchar_t c) { return c < L' ' || std::wcschr(L"<>\"", c); };
        if (*path == L' ' && std::none_of(path, path + std::wcslen(path), invalid)) fs.add(path + 1, bytes, time);
    }
    return lines.back();
}

void checkForms(fakes::FakeFileSystem& fs, const std::wstring& path) {
    PathConverter converter(fs);
    converter.setInput(path);
    std::wstring failure;
    const std::wstring longForm = converter.longForm(), shortForm = converter.shortForm(failure);
    const PathShape shape = shapeOf(path);
    if (!fs.attributes(path) || !shape.hasRoot()) {
        require(longForm.empty() && (fs.attributes(path) || shortForm.empty()), "no forms without a path", path);
        return;
    }
    require(longForm.starts_with(path.substr(0, shape.rootLength)), "the long form keeps the typed head", path);
    require(std::ranges::count(longForm, L'\\') == std::ranges::count(path, L'\\'), "item for item", path);
    // The long form leads to the same entry: the short forms differ only in the case of items without an alias.
    require(fakes::FakeText().compareNoCase(fs.shortPath(longForm, failure), shortForm) == 0, "the same entry", path);
}

void checkListing(fakes::FakeFileSystem& fs, const std::wstring& path) {
    fakes::FakeText text;
    FolderListing listing = FolderLister(fs).list(path);
    const std::wstring& folder = listing.folder;
    const std::vector<ListingEntry>& entries = listing.entries;
    require(entries.empty() == !fs.attributes(path), "entries unless the path is gone", path);
    sortListing(listing, text);
    std::size_t detail = 0;  // the size-and-date lines: column, blank, time, TAB, name, CR LF
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const ListingEntry& entry = entries[i];
        if (!entry.line.empty()) detail += 30 + entry.name.size();
        // Folders first; within a kind the names decide, and the rest of the lines only between equal names.
        const ListingEntry& before = entries[i > 0 ? i - 1 : i];
        const int kinds = int(entry.attributes & kAttributeDirectory) - int(before.attributes & kAttributeDirectory);
        const int names = text.compareNoCase(before.name, entry.name);
        require(i == 0 || kinds < 0 ||
                    (kinds == 0 &&
                     (names < 0 || (names == 0 && text.compareNoCase(before.line.substr(2 + before.name.size()),
                                                                     entry.line.substr(2 + entry.name.size())) <= 0))),
                "in order", entry.line);
        // Each line tells the kind of the entry named in it, which is neither "." nor "..".
        const auto bits = fs.attributes(folder + L"\\" + entry.name).value_or(0);
        const std::wstring start = (bits & kAttributeDirectory ? L"D " : L"F ") + entry.name + L"   >";
        require(entry.line.empty() ? entry.name.empty()
                                   : entry.line.starts_with(start) && entry.name != L"." && entry.name != L"..",
                "each line is its name's", entry.line);
    }
    for (const ListMode mode : {ListMode::NamesOnly, ListMode::SizeAndDate}) {
        ListingReport pieces(mode);
        reportListing(listing, pieces);
        std::wstring report;
        for (const auto& piece : pieces.pieces) report += piece;
        require(report.starts_with(L"DIR : " + folder + L"\r\n\r\n") && report.ends_with(L"\r\n") &&
                    std::ranges::count(report, L'\r') == std::ranges::count(report, L'\n'),
                "the report is the folder's heading and lines that end with CR LF", report);
        // Names: the heading's two lines and one per entry. Sizes and dates: 44 characters for the heading
        // and the column header besides the folder, and the entries' lines.
        require(mode == ListMode::NamesOnly ? std::ranges::count(report, L'\n') == 2 + std::ssize(entries)
                                            : report.size() == 44 + folder.size() + detail,
                "one well-formed line per entry", report);
    }
}

// The same bytes fed whole and in three pieces give the same lines, none blank or holding a line end.
void checkPathLines(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<std::wstring> whole, pieced;
    const auto decode = [](std::vector<std::wstring>& lines, std::initializer_list<std::string_view> pieces) {
        cli::PathLines decoder([&](const std::wstring& line) {
            lines.push_back(line);
            return true;
        });
        for (const auto piece : pieces) decoder.feed(piece);
        decoder.finish();
    };
    decode(whole, {bytes});
    decode(pieced, {bytes.substr(0, size / 3), bytes.substr(size / 3, size / 3), bytes.substr(size / 3 * 2)});
    for (const auto& line : whole)
        require(line.find_first_not_of(L" \t") != line.npos && line.find(L'\n') == line.npos, "lines", line);
    require(whole == pieced, "pieces decode as the whole", whole.empty() ? L"" : whole.back());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fakes::FakeFileSystem fs;
    const std::wstring path = addTree(data, size, fs);
    checkForms(fs, path);
    checkListing(fs, path);
    checkPathLines(data, size);
    return 0;
}
