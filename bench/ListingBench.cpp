// Lists, sorts and formats a folder of 100,000 files the way the list-copy
// command does, and prints that next to a bare FindFirstFileExW loop over the
// same folder in the same run. The folder is made once under the temporary
// folder and reused by later runs.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "listing/ListingReport.h"
#include "listing/clsLngLst.h"
#include "listing/modQSort.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32TextServices.h"

namespace {

using namespace twinpath;

constexpr int kFiles = 100'000;
constexpr int kRounds = 5;

class Stopwatch {
public:
    Stopwatch() {
        ::QueryPerformanceFrequency(&frequency_);
        ::QueryPerformanceCounter(&start_);
    }
    double seconds() const {
        LARGE_INTEGER now;
        ::QueryPerformanceCounter(&now);
        return static_cast<double>(now.QuadPart - start_.QuadPart) / static_cast<double>(frequency_.QuadPart);
    }

private:
    LARGE_INTEGER frequency_;
    LARGE_INTEGER start_;
};

// The floor: enumeration alone, with the same call and flags the lister uses.
int bareEnumeration(const std::wstring& folder) {
    WIN32_FIND_DATAW data{};
    win32::UniqueFindHandle search(::FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &data,
                                                      FindExSearchNameMatch, nullptr,
                                                      FIND_FIRST_EX_LARGE_FETCH));
    if (search.get() == INVALID_HANDLE_VALUE) return 0;
    int count = 0;
    do {
        ++count;
    } while (::FindNextFileW(search.get(), &data));
    return count;
}

std::wstring prepareFolder() {
    wchar_t temp[MAX_PATH + 1];
    const DWORD length = ::GetTempPathW(MAX_PATH + 1, temp);
    std::wstring folder = std::wstring(temp, length) + L"twinpath-bench-100000";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    // "." and ".." come with the files.
    if (bareEnumeration(folder) == kFiles + 2) return folder;
    std::printf("creating %d files in %ls\n", kFiles, folder.c_str());
    for (int i = 0; i < kFiles; ++i) {
        wchar_t name[40];
        std::swprintf(name, 40, L"\\Document %06d.txt", i);
        win32::UniqueHandle file(::CreateFileW((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                               FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.get() == INVALID_HANDLE_VALUE) file.release();
    }
    return folder;
}

// Counts the comparisons the sort makes, to price them on their own below.
class CountingText final : public TextServices {
public:
    std::wstring toUpper(const std::wstring& text) override { return inner_.toUpper(text); }
    std::wstring toLower(const std::wstring& text) override { return inner_.toLower(text); }
    int compareNoCase(const std::wstring& a, const std::wstring& b) override {
        ++comparisons;
        return inner_.compareNoCase(a, b);
    }
    long comparisons = 0;

private:
    win32::Win32TextServices inner_;
};

// The same number of bare CompareStringEx calls over pairs of the listing's
// status lines: the floor of a sort that compares through the platform.
double bareComparisons(const std::vector<std::wstring>& lines, long count) {
    wchar_t locale[LOCALE_NAME_MAX_LENGTH];
    if (::GetSystemDefaultLocaleName(locale, LOCALE_NAME_MAX_LENGTH) == 0) locale[0] = L'\0';
    const std::size_t n = lines.size();
    Stopwatch stopwatch;
    for (long i = 0; i < count; ++i) {
        const std::wstring& a = lines[static_cast<std::size_t>(i) % n];
        const std::wstring& b = lines[(static_cast<std::size_t>(i) * 7919 + 1) % n];
        ::CompareStringEx(locale, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                          static_cast<int>(b.size()), nullptr, nullptr, 0);
    }
    return stopwatch.seconds();
}

struct ListingTimes {
    double list = 0;
    double sort = 0;
    double report = 0;
    long comparisons = 0;
    double total() const { return list + sort + report; }
};

ListingTimes wholeListing(const std::wstring& folder, std::size_t& reportLength,
                          std::vector<std::wstring>& statuses) {
    win32::Win32FileSystem fs;
    CountingText text;
    clsLngLst lister(fs);
    std::vector<std::wstring> names;
    ListingTimes times;

    Stopwatch list;
    lister.pInFileName(folder);
    const std::wstring listed = lister.pListFileName(names, statuses).value_or(L"");
    times.list = list.seconds();

    Stopwatch sort;
    QSort(statuses, names, 0, static_cast<std::int32_t>(names.size()) - 1, text);
    times.sort = sort.seconds();
    times.comparisons = text.comparisons;

    Stopwatch report;
    reportLength = buildListingReport(listed, names, statuses, ListMode::SizeAndDate).size();
    times.report = report.seconds();
    return times;
}

}  // namespace

int wmain() {
    const std::wstring folder = prepareFolder();
    bareEnumeration(folder);  // warms the caches both sides read from

    double bare = 1e30;
    ListingTimes best{1e30, 1e30, 1e30};
    std::size_t reportLength = 0;
    std::vector<std::wstring> statuses;
    int entries = 0;
    // Alternating rounds, so both sides see the same state of the system.
    for (int round = 0; round < kRounds; ++round) {
        Stopwatch stopwatch;
        entries = bareEnumeration(folder);
        bare = std::min(bare, stopwatch.seconds());
        const ListingTimes times = wholeListing(folder, reportLength, statuses);
        if (times.total() < best.total()) best = times;
    }
    std::printf("folder of %d entries, best of %d rounds\n", entries - 2, kRounds);
    std::printf("bare FindFirstFileExW loop        %.3f s\n", bare);
    std::printf("whole listing (size-and-date)     %.3f s  = list %.3f + sort %.3f + report %.3f\n",
                best.total(), best.list, best.sort, best.report);
    std::printf("ratio                             %.2f  (report of %zu characters)\n", best.total() / bare,
                reportLength);
    const double compare = bareComparisons(statuses, best.comparisons);
    std::printf("sort: %ld comparisons; as many bare CompareStringEx calls take %.3f s (%.2f us each)\n",
                best.comparisons, compare, compare * 1e6 / static_cast<double>(best.comparisons));
    return 0;
}
