#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "fakes/Fakes.h"
#include "listing/ListingReport.h"
#include "listing/PairedSort.h"
#include "listing/TreeLister.h"

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

TEST(TreeListerTest, EveryFolderIsFollowedByItsContentsNamedRelativeToTheListedFolder) {
    fakes::FakeFileSystem fs;
    for (const wchar_t* path : {L"C:\\Tree\\b.txt", L"C:\\Tree\\=sum.txt", L"C:\\Tree\\Reports\\Empty\\",
                                L"C:\\Tree\\Reports\\2026\\March.xlsx", L"C:\\Tree\\Reports\\Deep\\Deeper\\",
                                L"C:\\Tree\\Locked\\secret.txt", L"C:\\Tree\\Link\\Tree\\b.txt"})
        fs.add(path, 5, 20260301120000);
    // A junction back to the tree is listed, never entered; a folder that cannot be read keeps its line.
    fs.add(L"C:\\Tree\\Link\\", 0, 20260301120000, kAttributeReparsePoint);
    fs.unreadable[L"C:\\Tree\\Locked"] = L"Access is denied.";
    const std::wstring names =
        L"Link\r\nLocked\r\nReports\r\nReports\\2026\r\nReports\\2026\\March.xlsx\r\n"
        L"Reports\\Deep\r\nReports\\Deep\\Deeper\r\nReports\\Empty\r\n=sum.txt\r\nb.txt\r\n";
    // Folders made on the way to an entry have no time.
    const std::wstring time = L"2026-03-01 12:00:00\r\n", folder = L"\tFolder\t\t" + time, file = L"\tFile\t5\t" + time,
                       made = L"\tFolder\t\t0000-00-00 00:00:00\r\n";
    struct Report final : TreeSink {
        void folder(const std::wstring& listed) override { appendListingHead(text, listed, mode); }
        void entry(const std::wstring& name, const std::wstring& line) override {
            appendListingLine(text, name, line, mode);
        }
        ListMode mode;
        std::wstring text;
    };
    fakes::FakeText text;
    for (const auto& [mode, expected] : std::initializer_list<std::pair<ListMode, std::wstring>>{
             {ListMode::NamesOnly, L"DIR : C:\\Tree\r\n\r\n" + names},
             {ListMode::TabSeparated, L"Name\tType\tSize\tModified\r\nLink" + folder + L"Locked" + made + L"Reports" +
                                          made + L"Reports\\2026" + made + L"Reports\\2026\\March.xlsx" + file +
                                          L"Reports\\Deep" + made + L"Reports\\Deep\\Deeper" + folder +
                                          L"Reports\\Empty" + folder + L"'=sum.txt" + file + L"b.txt" + file},
             {ListMode::SizeAndDate,
              L"DIR : C:\\Tree\r\n\r\n  SIZE   DATE       TIME   \tNAME\r\n<DIR>   2026/03/01 12:00:00\tLink\r\n"}}) {
        Report report;
        report.mode = mode;
        const TreeListing tree = TreeLister(fs, text).list(L"C:\\Tree\\b.txt", report);
        EXPECT_EQ(report.text.substr(0, expected.size()), expected);
        EXPECT_EQ(std::tuple(tree.entries, tree.unread.size(), tree.unread[0].folder, tree.unread[0].message),
                  std::tuple(10u, 1u, L"C:\\Tree\\Locked", L"Access is denied."));
    }
}
