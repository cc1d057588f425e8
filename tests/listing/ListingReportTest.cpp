#include <gtest/gtest.h>

#include "listing/ListingReport.h"
#include "listing/clsLngLst.h"
#include "listing/modQSort.h"
#include "tests/fakes/FakeFileSystem.h"
#include "tests/fakes/FakeTextServices.h"

namespace twinpath {
namespace {

using fakes::FakeFileSystem;
using Tables = std::vector<std::wstring>;

TEST(ScaledSizeTest, EachDivisionRoundsHalfToEven) {
    const struct {
        std::uint64_t bytes;
        const wchar_t* column;
    } cases[] = {
        {0, L"    0KB"},
        {512, L"    0KB"},
        {513, L"    1KB"},
        {1234, L"    1KB"},
        {1536, L"    2KB"},
        {2560, L"    2KB"},
        {3584, L"    4KB"},
        {102'399'487, L"99999KB"},
        {102'399'488, L"   98MB"},
        {106'429'952, L"  102MB"},  // 103,935.5 KB rounds up first
        {5'368'709'120, L" 5120MB"},
        {214'748'364'800, L"  200GB"},
        {109'951'162'777'600, L"  100??"},
        {18'446'744'073'709'551'615ULL, L"16384??"},
    };
    for (const auto& c : cases) EXPECT_EQ(scaledSizeColumn(c.bytes), c.column) << "bytes: " << c.bytes;
}

// Lists, sorts and formats the way the list-copy command does.
std::wstring reportOf(FakeFileSystem& fs, const std::wstring& path, ListMode mode) {
    fakes::FakeTextServices text;
    clsLngLst lister(fs);
    Tables names;
    Tables statuses;
    lister.pInFileName(path);
    const std::wstring folder = lister.pListFileName(names, statuses).value_or(L"");
    QSort(statuses, names, 0, static_cast<std::int32_t>(names.size()) - 1, text);
    return buildListingReport(folder, names, statuses, mode);
}

class ReportTest : public ::testing::Test {
protected:
    void SetUp() override {
        constexpr std::uint64_t kNineHours = 9ULL * 3600 * 10'000'000;
        fs.addFile(L"C:\\Data\\b.txt", 106'429'952,
                   FakeFileSystem::fileTime(2001, 2, 22, 0, 0, 0) - kNineHours);
        fs.addFolder(L"C:\\Data\\Sub").lastWriteTime =
            FakeFileSystem::fileTime(2001, 2, 20, 18, 0, 0) - kNineHours;
        fs.addFile(L"C:\\Data\\A.txt", 1234, FakeFileSystem::fileTime(2001, 2, 21, 9, 5, 3) - kNineHours);
        fs.addFolder(L"C:\\Empty");
        fs.addFile(L"C:\\file.txt", 0, FakeFileSystem::fileTime(2001, 2, 21, 0, 0, 0));
    }
    FakeFileSystem fs;
};

TEST_F(ReportTest, BothModesByteForByte) {
    const std::wstring header = L"  SIZE   DATE       TIME   \tNAME\r\n";
    const struct {
        const wchar_t* path;
        ListMode mode;
        std::wstring report;
    } cases[] = {
        {L"C:\\Data\\A.txt", ListMode::NamesOnly, L"DIR : C:\\Data\r\n\r\nSub\r\nA.txt\r\nb.txt\r\n"},
        {L"C:\\Data", ListMode::SizeAndDate,
         L"DIR : C:\\Data\r\n\r\n" + header +
             L"<DIR>   2001/02/20 18:00:00\tSub\r\n"
             L"    1KB 2001/02/21 09:05:03\tA.txt\r\n"
             L"  102MB 2001/02/22 00:00:00\tb.txt\r\n"},
        {L"C:\\Empty", ListMode::NamesOnly, L"DIR : C:\\Empty\r\n\r\n\r\n"},
        {L"C:\\Empty", ListMode::SizeAndDate, L"DIR : C:\\Empty\r\n\r\n" + header},
        {L"C:\\file.txt", ListMode::NamesOnly, L"DIR : C:\\\r\n\r\nData\r\nEmpty\r\nfile.txt\r\n"},
        {L"C:\\file.txt", ListMode::SizeAndDate,
         L"DIR : C:\\\r\n\r\n" + header +
             L"<DIR>   1601/01/01 09:00:00\tData\r\n"
             L"<DIR>   1601/01/01 09:00:00\tEmpty\r\n"
             L"    0KB 2001/02/21 09:00:00\tfile.txt\r\n"},
        // A path that cannot be read leaves the tables never sized.
        {L"C:\\missing", ListMode::NamesOnly, L"DIR : \r\n\r\n"},
        {L"C:\\missing", ListMode::SizeAndDate, L"DIR : \r\n\r\n" + header},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.path));
        EXPECT_EQ(reportOf(fs, c.path, c.mode), c.report);
    }
}

TEST(ReportLinesTest, ShortStatusLinesGiveEmptyFields) {
    const Tables names{L"one", L"two", L"three", L"four"};
    const Tables statuses{L"F one   >2048", L"D two", L"F three   >>>2001/02/21 09:05:03"};
    EXPECT_EQ(buildListingReport(L"X", names, statuses, ListMode::SizeAndDate),
              L"DIR : X\r\n\r\n  SIZE   DATE       TIME   \tNAME\r\n"
              L"    2KB \tone\r\n"
              L"<DIR>   \ttwo\r\n"
              L"    0KB \tthree\r\n");
}

}  // namespace
}  // namespace twinpath
