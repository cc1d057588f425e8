#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "fakes/Fakes.h"
#include "listing/ListingReport.h"
#include "listing/PairedSort.h"

using namespace twinpath;
using Table = std::vector<std::wstring>;

// The classic quicksort, fully recursive: sortPaired must give its order exactly, equal keys included.
static void classicSort(Table& keys, Table& companions, int lo, int hi) {
    const auto swap = [&](int a, int b) { std::swap(keys[a], keys[b]), std::swap(companions[a], companions[b]); };
    if (lo >= hi) return;
    swap(lo, static_cast<int>(std::nearbyint((lo + hi) / 2.0)));
    int last = lo;
    for (int i = lo + 1; i <= hi; ++i)
        if (fakes::FakeText().compareNoCase(keys[i], keys[lo]) < 0) swap(++last, i);
    swap(lo, last);
    classicSort(keys, companions, lo, last - 1);
    classicSort(keys, companions, last + 1, hi);
}

TEST(PairedSortTest, OrdersLikeTheClassicSortAndMovesCompanionsInStep) {
    // Keys equal but for case abound; every fourth table draws from two keys only.
    const Table pool{L"a", L"A", L"", L"b", L"ab", L"aB", L"F x   >1>", L"D x   >0>", L"F x   >1>", L"ba"};
    std::mt19937 random(7);
    fakes::FakeText text;
    for (int round = 0; round < 300; ++round) {
        Table keys(1 + random() % 60), companions;
        for (auto& key : keys) key = pool[random() % (round % 4 ? pool.size() : 2)];
        for (std::size_t i = 0; i < keys.size(); ++i) companions.push_back(std::to_wstring(i));
        const int lo = random() % keys.size(), hi = lo + random() % (keys.size() - lo);
        Table expectedKeys = keys, expectedCompanions = companions;
        classicSort(expectedKeys, expectedCompanions, lo, hi);
        sortPaired(keys, companions, lo, hi, [&](auto& a, auto& b) { return text.compareNoCase(a, b); });
        ASSERT_EQ(keys, expectedKeys) << "round " << round;
        ASSERT_EQ(companions, expectedCompanions) << "round " << round;
    }
}

TEST(PairedSortTest, RangeThatATableDoesNotHoldIsLeftAlone) {
    fakes::FakeText text;
    for (const auto& [companions, first, last] :
         std::initializer_list<std::tuple<std::size_t, std::int32_t, std::int32_t>>{
             {3, -1, 2}, {3, 0, 3}, {2, 0, 2}, {3, 2, 1}, {3, INT32_MIN, INT32_MAX}}) {
        Table keys{L"c", L"b", L"a"}, others(companions);
        sortPaired(keys, others, first, last, [](auto& a, auto& b) { return a.compare(b); });
        EXPECT_EQ(keys, (Table{L"c", L"b", L"a"})) << first << ".." << last << " with " << companions;
    }
}

TEST(ListingReportTest, SizeColumnRoundsEachStepHalfToEven) {
    const std::pair<std::uint64_t, const wchar_t*> columns[] = {{0, L"    0KB"},
                                                                {512, L"    0KB"},
                                                                {513, L"    1KB"},
                                                                {1536, L"    2KB"},
                                                                {2560, L"    2KB"},
                                                                {102'399'487, L"99999KB"},
                                                                {102'399'488, L"   98MB"},
                                                                {106'429'952, L"  102MB"},
                                                                {214'748'364'800, L"  200GB"},
                                                                {109'951'162'777'600, L"  100??"},
                                                                {UINT64_MAX, L"16384??"}};
    for (const auto& [bytes, column] : columns) EXPECT_EQ(scaledSizeColumn(bytes), column) << bytes;
}

TEST(ListingReportTest, ReportsOfListedFoldersByteForByte) {
    fakes::FakeFileSystem fs;
    fs.add(L"C:\\Data\\Sub\\", 0, 20010220180000);
    fs.add(L"C:\\Data\\A.txt", 1234, 20010221090503);
    fs.add(L"C:\\Data\\b.txt", 5'000'000'000, 1ULL << 63);  // a time the platform cannot convert
    fs.add(L"C:\\Data\\c.txt", 0, 123450101000000);         // a year wider than the column
    for (const wchar_t* path : {L"C:\\Empty\\", L"C:\\file.txt"}) fs.add(path);
    for (const std::wstring name : {L"=1", L"+b", L"-x", L"@a", L"a=b"}) fs.add(L"C:\\Calc\\" + name, 7);
    // Hidden and system entries are listed as any other; NTFS keeps a name that ends in a period.
    fs.add(L"C:\\$Recycle.Bin\\", 0, 0, 0x6), fs.add(L"C:\\pagefile.sys", 0, 0, 0x6), fs.add(L"C:\\Notes.");
    const std::wstring header = L"  SIZE   DATE       TIME   \tNAME\r\n", row = L"Name\tType\tSize\tModified\r\n",
                       seven = L"\tFile\t7\t0000-00-00 00:00:00\r\n";
    FolderLister lister(fs);
    for (const auto& [path, mode, report] : std::initializer_list<std::tuple<const wchar_t*, ListMode, std::wstring>>{
             {L"C:\\Data\\A.txt", ListMode::NamesOnly, L"DIR : C:\\Data\r\n\r\nSub\r\nA.txt\r\nb.txt\r\nc.txt\r\n"},
             {L"C:\\Data", ListMode::SizeAndDate,
              L"DIR : C:\\Data\r\n\r\n" + header + L"<DIR>   2001/02/20 18:00:00\tSub\r\n" +
                  L"    1KB 2001/02/21 09:05:03\tA.txt\r\n 4768MB 0000/00/00 00:00:00\tb.txt\r\n" +
                  L"    0KB 0000/00/00 00:00:00\tc.txt\r\n"},
             {L"C:\\Empty", ListMode::NamesOnly, L"DIR : C:\\Empty\r\n\r\n\r\n"},
             {L"C:\\Empty", ListMode::SizeAndDate, L"DIR : C:\\Empty\r\n\r\n" + header},
             {L"C:\\Empty", ListMode::TabSeparated, row},
             {L"C:\\Data", ListMode::TabSeparated,
              row + L"Sub\tFolder\t\t2001-02-20 18:00:00\r\nA.txt\tFile\t1234\t2001-02-21 09:05:03\r\n" +
                  L"b.txt\tFile\t5000000000\t0000-00-00 00:00:00\r\nc.txt\tFile\t0\t0000-00-00 00:00:00\r\n"},
             // A spreadsheet would read these names as formulas.
             {L"C:\\Calc", ListMode::TabSeparated,
              row + L"'=1" + seven + L"'+b" + seven + L"'-x" + seven + L"'@a" + seven + L"a=b" + seven},
             // A file directly in a drive root lists the root; a path that is gone lists nothing.
             {L"C:\\file.txt", ListMode::NamesOnly,
              L"DIR : C:\\\r\n\r\nData\r\nEmpty\r\nfile.txt\r\nCalc\r\n$Recycle.Bin\r\npagefile.sys\r\nNotes.\r\n"},
             {L"C:\\Gone", ListMode::NamesOnly, L"DIR : \r\n\r\n"}})
        EXPECT_EQ(buildListingReport(lister.list(path), mode), report) << testing::PrintToString(path);
}
