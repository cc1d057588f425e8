#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "fakes/Fakes.h"
#include "listing/ListingBuilder.h"
#include "listing/ListingOrder.h"
#include "listing/ListingReport.h"
#include "listing/PairedSort.h"
#include "listing/TreeLister.h"

using namespace twinpath;
using Table = std::vector<std::wstring>;

// The classic quicksort, fully recursive: sortPaired must give its order exactly, equal keys included.
static void classicSort(Table& keys, Table& companions, int lo, int hi) {
    const auto swap = [&](int a, int b) {
        std::swap(keys[a], keys[b]);
        std::swap(companions[a], companions[b]);
    };
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

TEST(ListingReportTest, SizeColumnRoundsEachStepHalfToEven) {
    struct Column {
        std::uint64_t bytes;
        const wchar_t* text;
    };
    for (const Column& c :
         {Column{.bytes = 0, .text = L"    0KB"}, Column{.bytes = 512, .text = L"    0KB"},
          Column{.bytes = 513, .text = L"    1KB"}, Column{.bytes = 1536, .text = L"    2KB"},
          Column{.bytes = 2560, .text = L"    2KB"}, Column{.bytes = 102'399'487, .text = L"99999KB"},
          Column{.bytes = 102'399'488, .text = L"   98MB"}, Column{.bytes = 106'429'952, .text = L"  102MB"},
          Column{.bytes = 214'748'364'800, .text = L"  200GB"},
          Column{.bytes = 109'951'162'777'600, .text = L"  100??"}, Column{.bytes = UINT64_MAX, .text = L"16384??"}})
        EXPECT_EQ(scaledSizeColumn(c.bytes), c.text) << c.bytes;
}

static std::wstring textOf(const ListingReport& report) {
    std::wstring text;
    for (const auto& piece : report.pieces) text += piece;
    return text;
}

TEST(ListingReportTest, ReportsOfListedFoldersByteForByte) {
    fakes::FakeFileSystem fs;
    fs.add(L"C:\\Data\\Sub\\", 0, 20010220180000);
    fs.add(L"C:\\Data\\A.txt", 1234, 20010221090503);
    fs.add(L"C:\\Data\\b.txt", 5'000'000'000, 1ULL << 63);  // a time the platform cannot convert
    fs.add(L"C:\\Data\\c.txt", 0, 123450101000000);         // a year wider than the column
    for (const wchar_t* path : {L"C:\\Empty\\", L"C:\\file.txt", L"C:\\Program Files|PROGRA~1\\Read.txt"}) fs.add(path);
    for (const std::wstring name : {L"=1", L"+b", L"-x", L"@a", L"a=b"}) fs.add(L"C:\\Calc\\" + name, 7);
    // Sizes in bytes at the edges of their digit counts.
    for (const std::uint64_t size :
         std::initializer_list<std::uint64_t>{9, 10, 99'999, 100'000, 4'294'967'296, UINT64_MAX})
        fs.add(L"C:\\Sizes\\" + std::to_wstring(std::to_wstring(size).size()), size);
    // Hidden and system entries are listed as any other; NTFS keeps a name that ends in a period.
    for (const wchar_t* path : {L"C:\\$Recycle.Bin\\", L"C:\\pagefile.sys", L"C:\\Notes."}) fs.add(path, 0, 0, 0x6);
    const std::wstring header = L"  SIZE   DATE       TIME   \tNAME\r\n", row = L"Name\tType\tSize\tModified\r\n",
                       seven = L"\tFile\t7\t0000-00-00 00:00:00\r\n", zero = L"\t0000-00-00 00:00:00\r\n";
    struct Case {
        const wchar_t* path;
        ListMode mode;
        std::wstring report;
    };
    for (const Case& c : std::initializer_list<Case>{
             {.path = L"C:\\Data\\A.txt",
      .mode = ListMode::NamesOnly,
      .report = L"DIR : C:\\Data\r\n\r\nSub\r\nA.txt\r\nb.txt\r\nc.txt\r\n"},
             {.path = L"C:\\Data",
             .mode = ListMode::SizeAndDate,
             .report = L"DIR : C:\\Data\r\n\r\n" + header + L"<DIR>   2001/02/20 18:00:00\tSub\r\n" +
                       L"    1KB 2001/02/21 09:05:03\tA.txt\r\n 4768MB 0000/00/00 00:00:00\tb.txt\r\n" +
                       L"    0KB 0000/00/00 00:00:00\tc.txt\r\n"},
             {.path = L"C:\\Empty", .mode = ListMode::NamesOnly, .report = L"DIR : C:\\Empty\r\n\r\n\r\n"},
             {.path = L"C:\\Data",
             .mode = ListMode::TabSeparated,
             .report = row + L"Sub\tFolder\t\t2001-02-20 18:00:00\r\nA.txt\tFile\t1234\t2001-02-21 09:05:03\r\n" +
                       L"b.txt\tFile\t5000000000\t0000-00-00 00:00:00\r\nc.txt\tFile\t0\t0000-00-00 00:00:00\r\n"},
             // A spreadsheet would read these names as formulas.
             {.path = L"C:\\Calc",
             .mode = ListMode::TabSeparated,
             .report = row + L"'=1" + seven + L"'+b" + seven + L"'-x" + seven + L"'@a" + seven + L"a=b" + seven},
             // A file directly in a drive root lists the root; a path that is gone lists nothing.
             {.path = L"C:\\file.txt",
             .mode = ListMode::NamesOnly,
             .report =
                  L"DIR : C:\\\r\n\r\nData\r\nEmpty\r\nfile.txt\r\nProgram Files\r\nCalc\r\nSizes\r\n$Recycle.Bin\r\n"
                  L"pagefile.sys\r\nNotes.\r\n"},
             {.path = L"C:\\Sizes",
             .mode = ListMode::TabSeparated,
             .report = row + L"1\tFile\t9" + zero + L"2\tFile\t10" + zero + L"5\tFile\t99999" + zero +
                       L"6\tFile\t100000" + zero + L"10\tFile\t4294967296" + zero + L"20\tFile\t18446744073709551615" +
                       zero},
             // A folder typed as a short form in mixed case is headed as typed.
             {.path = L"C:\\progRA~1\\read.TXT",
             .mode = ListMode::NamesOnly,
             .report = L"DIR : C:\\progRA~1\r\n\r\nRead.txt\r\n"}}) {
        ListingReport report(c.mode);
        reportListing(FolderLister(fs).list(c.path), report);
        EXPECT_EQ(textOf(report), c.report) << testing::PrintToString(c.path);
    }
}

// Names that differ in an accent, a hyphen, an apostrophe or their normal form, in the order the listing
// gives them, with sizes and times that the order of their whole lines would reverse.
TEST(ListingOrderTest, WithinAKindTheNameDecidesAndOnlyEqualNamesGoBySizeAndTime) {
    struct File {
        std::wstring name;
        std::uint64_t size = 0, time = 20260301120000;
    };
    using Files = std::vector<File>;
    const std::wstring nfc = L"r\u00e9sum\u00e9.txt", nfd = L"re\u0301sume\u0301.txt";
    fakes::FakeText text;
    for (const Files& files :
         {Files{{.name = L"ab.txt", .size = 5}, {.name = L"a-b.txt", .size = 1}},
          Files{{.name = L"ab.txt"}, {.name = L"a'b.txt", .time = 20200101000000}},
          Files{{.name = L"a'b.txt", .size = 5}, {.name = L"a-b.txt", .size = 1}},
          Files{{.name = L"resume.txt", .size = 5}, {.name = nfc, .size = 1}},
          // A name before a longer name that begins with it, even when what follows weighs nothing at first.
          Files{{.name = L"ab.txt", .size = 5}, {.name = L"ab.txt-", .size = 1}},
          // Names that compare equal: the size decides, whatever the times, then the time.
          Files{{.name = nfd, .size = 1, .time = 20260301120001}, {.name = nfc, .size = 5}},
          Files{{.name = nfd}, {.name = nfc, .time = 20260301120001}}}) {
        fakes::FakeFileSystem fs;
        std::vector<std::wstring> order, names;
        for (auto file = files.rbegin(); file != files.rend(); ++file)
            fs.add(L"C:\\F\\" + file->name, file->size, file->time);
        for (const File& file : files) order.push_back(file.name);
        FolderListing listing = FolderLister(fs).list(L"C:\\F");
        sortListing(listing, text);
        for (const ListingEntry& entry : listing.entries) names.push_back(entry.name);
        EXPECT_EQ(names, order);
    }
}

TEST(ListingBuilderTest, AListingReachesItsSinkOnlyWhenItsFolderWasReadToItsEnd) {
    struct Outcome {
        std::wstring folder = L"C:\\T", failure{};
        bool stopped = false;
        std::size_t entries = 0, unread = 0;
        std::wstring report{};
        bool operator==(const Outcome&) const = default;
    };
    struct Case {
        const wchar_t* path = L"C:\\T";
        bool tree = false;
        // The search whose start brings the stop request; what cuts every search short after its last entry.
        const wchar_t *stopAt = L"", *cut = L"";
        Outcome want;
    };
    const std::wstring top = L"DIR : C:\\T\r\n\r\nA\r\n", lost = L"The network name is no longer available.";
    for (const Case& c : std::initializer_list<Case>{
             {.want = {.entries = 4, .report = top + L"B\r\nC\r\nz.txt\r\n"}},
             {.stopAt = L"C:\\T\\*", .want = {.stopped = true}},
             {.cut = lost.c_str(), .want = {.failure = lost}},
             {.path = L"C:\\Gone", .want = {.folder = L"", .report = L"DIR : \r\n\r\n"}},
             // Stopped between two folders: what came before stays with the sink, the rest never comes.
             {.tree = true,
             .stopAt = L"C:\\T\\B\\*",
             .want = {.stopped = true, .entries = 3, .report = top + L"A\\a.txt\r\nB\r\n"}},
             {.tree = true, .cut = lost.c_str(), .want = {.failure = lost}}}) {
        fakes::FakeFileSystem fs;
        for (const wchar_t* path : {L"C:\\T\\A\\a.txt", L"C:\\T\\B\\", L"C:\\T\\C\\", L"C:\\T\\z.txt"}) fs.add(path);
        fs.unreadable[L"C:\\T\\C"] = L"Access is denied.";
        fs.failure = c.cut;
        ListingProgress progress;
        fs.onSearch = [&](const std::wstring& pattern) { progress.stop = progress.stop || pattern == c.stopAt; };
        fakes::FakeText text;
        ListingReport report(ListMode::NamesOnly);
        const TreeListing got = buildListing(fs, text, c.path, c.tree, report, &progress);
        EXPECT_TRUE(
            (Outcome{got.folder, got.failure, got.stopped, got.entries, got.unread.size(), textOf(report)} == c.want))
            << testing::PrintToString(c.path) << (c.tree ? " tree " : " folder ") << testing::PrintToString(c.stopAt);
    }
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
    // Folders made on the way to an entry have no time.
    const std::wstring time = L"2026-03-01 12:00:00\r\n", folder = L"\tFolder\t\t" + time, file = L"\tFile\t5\t" + time,
                       made = L"\tFolder\t\t0000-00-00 00:00:00\r\n";
    fakes::FakeText text;
    ListingReport report(ListMode::TabSeparated);
    const TreeListing tree = TreeLister(fs, text).list(L"C:\\Tree\\b.txt", report);
    EXPECT_EQ(textOf(report), L"Name\tType\tSize\tModified\r\nLink" + folder + L"Locked" + made + L"Reports" + made +
                                  L"Reports\\2026" + made + L"Reports\\2026\\March.xlsx" + file + L"Reports\\Deep" +
                                  made + L"Reports\\Deep\\Deeper" + folder + L"Reports\\Empty" + folder + L"'=sum.txt" +
                                  file + L"b.txt" + file);
    EXPECT_EQ(std::tuple(tree.entries, tree.unread.size(), tree.unread[0].folder, tree.unread[0].message),
              std::tuple(10u, 1u, L"C:\\Tree\\Locked", L"Access is denied."));
}
