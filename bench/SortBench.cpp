// Sorts 1,000,000 entry lines with sortPaired and with std::sort, same comparator,
// same data, and prints the times and their ratios.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "listing/PairedSort.h"
#include "ports/TextServices.h"

namespace {

// A stand-in for the platform's collation that compares as it does (case
// folded, a blank before digits and letters) and counts its calls.
class CountingText final : public twinpath::TextServices {
public:
    std::wstring toUpper(const std::wstring& text) override { return text; }
    std::wstring toLower(const std::wstring& text) override { return text; }
    int compareNoCase(const std::wstring& a, const std::wstring& b) override {
        ++comparisons;
        const std::size_t n = std::min(a.size(), b.size());
        for (std::size_t i = 0; i < n; ++i) {
            const wchar_t x = fold(a[i]);
            const wchar_t y = fold(b[i]);
            if (x != y) return x < y ? -1 : 1;
        }
        return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
    }
    std::string sortKey(const std::wstring& text) override { return std::string(text.begin(), text.end()); }
    long comparisons = 0;

private:
    static wchar_t fold(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + 0x20) : c; }
};
using Clock = std::chrono::steady_clock;

constexpr int kCount = 1'000'000;
constexpr int kRounds = 5;

struct Tables {
    std::vector<std::wstring> status;
    std::vector<std::wstring> name;
};

// Names of mixed case and length, sizes and times as a real folder has them.
Tables makeTables(std::mt19937& random) {
    static const wchar_t kLetters[] = L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 _-";
    Tables tables;
    tables.status.reserve(kCount);
    tables.name.reserve(kCount);
    for (int i = 0; i < kCount; ++i) {
        std::wstring name;
        const int length = 4 + static_cast<int>(random() % 24);
        for (int k = 0; k < length; ++k) name += kLetters[random() % (std::size(kLetters) - 1)];
        name += L".txt";
        const bool folder = random() % 10 == 0;
        wchar_t time[24];
        std::swprintf(time, 24, L"20%02u/%02u/%02u %02u:%02u:%02u", static_cast<unsigned>(random() % 25),
                      static_cast<unsigned>(1 + random() % 12), static_cast<unsigned>(1 + random() % 28),
                      static_cast<unsigned>(random() % 24), static_cast<unsigned>(random() % 60),
                      static_cast<unsigned>(random() % 60));
        tables.status.push_back((folder ? L"D " : L"F ") + name + L"   >" +
                                std::to_wstring(folder ? 0 : random() % 100'000'000) + L">" + time);
        tables.name.push_back(std::move(name));
    }
    return tables;
}

struct Best {
    double seconds = 1e30;
    long comparisons = 0;
    void take(Clock::time_point start, const CountingText& text) {
        seconds = std::min(seconds, std::chrono::duration<double>(Clock::now() - start).count());
        comparisons = text.comparisons;
    }
};

void runPairedSort(const Tables& input, Best& best) {
    Tables tables = input;
    CountingText text;
    const auto start = Clock::now();
    twinpath::sortPaired(tables.status, tables.name, 0, kCount - 1,
                         [&](auto& a, auto& b) { return text.compareNoCase(a, b); });
    best.take(start, text);
}

// The same work: both strings of an entry move together.
void runStdSortPairs(const Tables& input, Best& best) {
    std::vector<std::pair<std::wstring, std::wstring>> rows;
    rows.reserve(kCount);
    for (int i = 0; i < kCount; ++i) rows.emplace_back(input.status[i], input.name[i]);
    CountingText text;
    twinpath::TextServices& services = text;
    const auto start = Clock::now();
    std::sort(rows.begin(), rows.end(),
              [&](const auto& a, const auto& b) { return services.compareNoCase(a.first, b.first) < 0; });
    best.take(start, text);
}

// A stricter floor: the keys alone move, no companion.
void runStdSortKeys(const Tables& input, Best& best) {
    std::vector<std::wstring> keys = input.status;
    CountingText text;
    twinpath::TextServices& services = text;
    const auto start = Clock::now();
    std::sort(keys.begin(), keys.end(), [&](const auto& a, const auto& b) { return services.compareNoCase(a, b) < 0; });
    best.take(start, text);
}

void report(const char* order, const Tables& tables) {
    Best paired, pairs, keys;
    // Interleaved rounds, so that load from elsewhere falls on all three alike.
    for (int round = 0; round < kRounds; ++round) {
        runPairedSort(tables, paired);
        runStdSortPairs(tables, pairs);
        runStdSortKeys(tables, keys);
    }
    std::printf("%s\n", order);
    std::printf("  sortPaired, keys and companions %.3f s  %9ld comparisons\n", paired.seconds, paired.comparisons);
    std::printf("  std::sort, keys and companions  %.3f s  %9ld comparisons  sortPaired ratio %.2f (aim 1.3)\n",
                pairs.seconds, pairs.comparisons, paired.seconds / pairs.seconds);
    std::printf("  std::sort, keys alone           %.3f s  %9ld comparisons  sortPaired ratio %.2f\n", keys.seconds,
                keys.comparisons, paired.seconds / keys.seconds);
}

}  // namespace

int main() {
    std::mt19937 random(12345);
    Tables tables = makeTables(random);
    std::printf("sort of %d entry lines, best of %d interleaved rounds\n", kCount, kRounds);
    report("shuffled", tables);

    // A file system that keeps names in order enumerates them nearly sorted.
    CountingText text;
    twinpath::sortPaired(tables.status, tables.name, 0, kCount - 1,
                         [&](auto& a, auto& b) { return text.compareNoCase(a, b); });
    report("already in order", tables);
    return 0;
}
