// Any tree and any path: the converter's two forms, and the folder listing and its sort as the
// list-copy command does it. A broken rule ends the run, so that libFuzzer keeps the input.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>

#include "fakes/Fakes.h"
#include "listing/ListingOrder.h"
#include "paths/PathConverter.h"

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
    const bool found = fs.attributes(path).has_value();
    require(found || (converter.longForm().empty() && converter.shortForm(failure).empty()), "no forms without a path",
            path);
    // The long form leads to the same entry: the short forms differ only in the case of items without an alias.
    const std::wstring longForm = converter.longForm();
    require(longForm.empty() ||
                fakes::FakeText().compareNoCase(fs.shortPath(longForm, failure), converter.shortForm(failure)) == 0,
            "the same entry", path);
}

void checkListing(fakes::FakeFileSystem& fs, const std::wstring& path) {
    fakes::FakeText text;
    FolderListing listing = FolderLister(fs).list(path);
    const std::vector<ListingEntry>& entries = listing.entries;
    require(entries.empty() == !fs.attributes(path), "entries unless the path is gone", path);
    sortListing(listing, text);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const ListingEntry& entry = entries[i];
        // Folders first; within a kind the names decide, and sizes and times only between equal names.
        const ListingEntry& before = entries[i > 0 ? i - 1 : i];
        const int kinds = int(entry.attributes & kAttributeDirectory) - int(before.attributes & kAttributeDirectory);
        const int names = text.compareNoCase(before.name, entry.name);
        require(i == 0 || kinds < 0 ||
                    (kinds == 0 &&
                     (names < 0 || (names == 0 && text.compareNoCase(before.sizeAndTime, entry.sizeAndTime) <= 0))),
                "in order", entry.name);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fakes::FakeFileSystem fs;
    const std::wstring path = addTree(data, size, fs);
    checkForms(fs, path);
    checkListing(fs, path);
    return 0;
}
