#include <gtest/gtest.h>

#include "listing/clsLngLst.h"
#include "tests/fakes/FakeFileSystem.h"

namespace twinpath {
namespace {

using fakes::FakeFileSystem;
using Tables = std::vector<std::wstring>;

// The fake's local time is UTC+9: this gives the file time that shows as the
// given local time.
std::uint64_t localTime(int year, int month, int day, int hour, int minute, int second, int millisecond = 0) {
    constexpr std::uint64_t kNineHours = 9ULL * 3600 * 10'000'000;
    return FakeFileSystem::fileTime(year, month, day, hour, minute, second, millisecond) - kNineHours;
}

class ListerTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs.addFolder(L"C:\\Data\\Sub").lastWriteTime = localTime(2001, 2, 20, 18, 0, 0);
        fs.addFile(L"C:\\Data\\a.TXT", 1234, localTime(2001, 2, 21, 9, 5, 3));
        fs.addFolder(L"C:\\Data\\Empty");
        fs.addFile(L"C:\\file.txt");
        fs.addFile(L"\\\\server\\share\\file.txt");
        fs.addFolder(L"\\\\server\\share\\Dir");
    }

    std::optional<std::wstring> list(const std::wstring& path) {
        lister.pInFileName(path);
        return lister.pListFileName(names, statuses);
    }

    FakeFileSystem fs;
    clsLngLst lister{fs};
    Tables names{L"left over"};
    Tables statuses{L"from before", L"and more"};
};

TEST_F(ListerTest, ListsTheFolderAPathNamesOrLiesIn) {
    const struct {
        const wchar_t* input;
        const wchar_t* folder;
        Tables names;
    } cases[] = {
        {L"C:\\Data\\a.TXT", L"C:\\Data", {L"Sub", L"a.TXT", L"Empty"}},
        {L"C:\\Data", L"C:\\Data", {L"Sub", L"a.TXT", L"Empty"}},
        {L"c:\\data\\", L"c:\\data\\", {L"Sub", L"a.TXT", L"Empty"}},
        {L"C:\\Data\\Empty", L"C:\\Data\\Empty", {L""}},
        // A root has no "." or ".." entries: its first entry is listed like the rest.
        {L"C:\\", L"C:\\", {L"Data", L"file.txt"}},
        // A file directly in a root is listed through that root.
        {L"C:\\file.txt", L"C:\\", {L"Data", L"file.txt"}},
        {L"\\\\server\\share\\file.txt", L"\\\\server\\share\\", {L"file.txt", L"Dir"}},
        {L"\\\\server\\share", L"\\\\server\\share", {L"file.txt", L"Dir"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.input));
        EXPECT_EQ(list(c.input), c.folder);
        EXPECT_EQ(names, c.names);
        EXPECT_EQ(statuses.size(), c.names.size());
    }
}

TEST_F(ListerTest, StatusLinesCarryKindNameSizeAndLocalTime) {
    EXPECT_EQ(list(L"C:\\Data"), L"C:\\Data");
    EXPECT_EQ(statuses, (Tables{L"D Sub   >0>2001/02/20 18:00:00", L"F a.TXT   >1234>2001/02/21 09:05:03",
                                L"D Empty   >0>1601/01/01 09:00:00"}));
}

TEST_F(ListerTest, SizesAndTimesAreWrittenInFull) {
    const struct {
        std::uint64_t size;
        std::uint64_t time;
        const wchar_t* line;
    } cases[] = {
        {5'000'000'000, localTime(2001, 2, 21, 9, 5, 3, 999), L"F x   >5000000000>2001/02/21 09:05:03"},
        {18'446'744'073'709'551'615ULL, localTime(1999, 12, 31, 23, 59, 59),
         L"F x   >18446744073709551615>1999/12/31 23:59:59"},
        {7, 0x8000000000000000ULL, L"F x   >7>0000/00/00 00:00:00"},            // no conversion
        {0, localTime(12000, 1, 1, 0, 0, 0), L"F x   >0>0000/00/00 00:00:00"},  // year too wide
    };
    for (const auto& c : cases) {
        fs.addFile(L"C:\\One\\x", c.size, c.time);
        list(L"C:\\One\\x");
        EXPECT_EQ(statuses, Tables{c.line});
    }
}

TEST_F(ListerTest, EveryEntryButSelfAndParentIsKept) {
    fs.addFile(L"C:\\Mixed\\.git").attributes = 0x22;           // hidden
    fs.addFile(L"C:\\Mixed\\..x").attributes = 0x24;            // system
    fs.addFolder(L"C:\\Mixed\\Данные 日本").attributes = 0x12;  // hidden folder
    EXPECT_EQ(list(L"C:\\Mixed"), L"C:\\Mixed");
    ASSERT_EQ(names, (Tables{L".git", L"..x", L"Данные 日本"}));
    EXPECT_EQ(statuses[2], L"D Данные 日本   >0>1601/01/01 09:00:00");
}

TEST_F(ListerTest, PathThatCannotBeReadLeavesTheTablesAlone) {
    const Tables namesBefore = names;
    const Tables statusesBefore = statuses;
    EXPECT_EQ(list(L"C:\\Data\\missing.txt"), L"");
    EXPECT_EQ(names, namesBefore);
    EXPECT_EQ(statuses, statusesBefore);

    Tables neverSized;
    Tables alsoNeverSized;
    EXPECT_EQ(lister.pListFileName(neverSized, alsoNeverSized), L"");
    EXPECT_TRUE(neverSized.empty());
    EXPECT_TRUE(alsoNeverSized.empty());
}

TEST_F(ListerTest, PathVanishedSinceItWasStoredEndsWithEmptyTables) {
    for (const std::wstring path : {L"C:\\Data\\a.TXT", L"C:\\Data\\Sub"}) {
        lister.pInFileName(path);
        fs.remove(path);
        names = {L"x", L"y"};
        EXPECT_EQ(lister.pListFileName(names, statuses), std::nullopt);
        EXPECT_EQ(names, Tables{L""});
        EXPECT_EQ(statuses, Tables{L""});
    }
}

TEST_F(ListerTest, EachReadListsAfreshFromTheStoredPath) {
    lister.pInFileName(L"C:\\Data\\Sub");
    EXPECT_EQ(lister.pListFileName(names, statuses), L"C:\\Data\\Sub");
    EXPECT_EQ(names, Tables{L""});
    fs.addFile(L"C:\\Data\\Sub\\new.txt");
    EXPECT_EQ(lister.pListFileName(names, statuses), L"C:\\Data\\Sub");
    EXPECT_EQ(names, Tables{L"new.txt"});
}

// Resolves relative names against C:\Data, as the process's current folder would.
class CurrentFolderFileSystem final : public FileSystem {
public:
    explicit CurrentFolderFileSystem(FakeFileSystem& inner) : inner_(inner) {}
    std::optional<std::uint32_t> attributes(const std::wstring& path) override {
        return inner_.attributes(full(path));
    }
    std::wstring shortPath(const std::wstring& path) override { return inner_.shortPath(full(path)); }
    std::unique_ptr<DirectorySearch> search(const std::wstring& pattern) override {
        return inner_.search(full(pattern));
    }
    std::optional<LocalTime> toLocalTime(std::uint64_t fileTime) override {
        return inner_.toLocalTime(fileTime);
    }

private:
    static std::wstring full(const std::wstring& path) {
        return path.find(L':') == std::wstring::npos && !path.starts_with(L"\\") ? L"C:\\Data\\" + path
                                                                                 : path;
    }
    FakeFileSystem& inner_;
};

TEST_F(ListerTest, RelativeFileNamesListNothing) {
    fs.addFile(L"C:\\Data\\Sub\\deep.txt");
    CurrentFolderFileSystem relative(fs);
    clsLngLst relativeLister(relative);

    // A bare name cannot be cut to a folder: the walk fails.
    relativeLister.pInFileName(L"a.TXT");
    EXPECT_EQ(relativeLister.pListFileName(names, statuses), std::nullopt);
    EXPECT_EQ(names, Tables{L""});

    // A walk stays inside the first folder of a relative name.
    relativeLister.pInFileName(L"Sub\\deep.txt");
    names = {L"x"};
    EXPECT_EQ(relativeLister.pListFileName(names, statuses), L"");
    EXPECT_EQ(names, Tables{L""});
    EXPECT_EQ(statuses, Tables{L""});
}

}  // namespace
}  // namespace twinpath
