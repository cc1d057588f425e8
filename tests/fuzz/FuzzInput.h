#pragma once

// What the fuzz targets share: the input read as lines of text, a tree built from them, and the
// check that ends a run on a broken rule, so that libFuzzer keeps the input.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>

#include "fakes/Fakes.h"

namespace twinpath::fuzz {

using Lines = std::vector<std::wstring>;

// One character per byte, split at LF.
inline Lines linesOf(const std::uint8_t* data, std::size_t size) {
    Lines lines(1);
    for (const std::uint8_t* end = data + size; data != end; ++data)
        *data == '\n' ? lines.emplace_back() : lines.back() += static_cast<wchar_t>(*data);
    return lines;
}

// Every line but the last adds an entry, as "size time path" (see FakeFileSystem::add), unless its
// path holds a character that no Windows name can; the last line is the path to run on.
inline std::wstring addTree(const Lines& lines, fakes::FakeFileSystem& fs) {
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        wchar_t* path = nullptr;
        const auto size = std::wcstoull(lines[i].c_str(), &path, 10), time = std::wcstoull(path, &path, 10);
        const auto invalid = [](wchar_t c) { return c < L' ' || std::wcschr(L"<>\"", c); };
        if (*path == L' ' && std::none_of(path, path + std::wcslen(path), invalid)) fs.add(path + 1, size, time);
    }
    return lines.back();
}

inline void require(bool holds, const char* rule, const std::wstring& subject) {
    if (holds) return;
    std::fprintf(stderr, "broken: %s\n  on: %ls\n", rule, subject.c_str());
    std::abort();
}

}  // namespace twinpath::fuzz
