// The fake stands in for Windows in every core test; these pin the Windows
// rules the core relies on, so a fault in the fake cannot hide one in the core.
#include <gtest/gtest.h>

#include "tests/fakes/FakeFileSystem.h"

namespace twinpath {
namespace {

using fakes::FakeFileSystem;

std::vector<std::wstring> names(FileSystem& fs, const std::wstring& pattern) {
    std::vector<std::wstring> out;
    auto search = fs.search(pattern);
    FindEntry entry;
    while (search->next(entry)) out.push_back(entry.name);
    return out;
}

TEST(FakeFileSystemTest, FollowsWindowsPathRules) {
    FakeFileSystem fs;
    fs.addFile(L"C:\\Long Folder\\a.txt");
    EXPECT_TRUE(fs.attributes(L"c:\\LONGFO~1\\A.TXT"));
    EXPECT_TRUE(fs.attributes(L"C:\\Long Folder\\"));
    EXPECT_FALSE(fs.attributes(L"C:\\Long Folder\\a.txt\\"));
    EXPECT_FALSE(fs.attributes(L"relative\\a.txt"));
    EXPECT_FALSE(fs.attributes(L"\\\\server"));
    EXPECT_EQ(fs.shortPath(L"C:\\Long Folder\\a.txt"), L"C:\\LONGFO~1\\a.txt");

    EXPECT_EQ(names(fs, L"C:\\\\*"), std::vector<std::wstring>{L"Long Folder"});
    EXPECT_EQ(names(fs, L"C:\\long folder\\*"), (std::vector<std::wstring>{L".", L"..", L"a.txt"}));
    EXPECT_EQ(names(fs, L"c:\\longfo~1"), std::vector<std::wstring>{L"Long Folder"});
    EXPECT_TRUE(names(fs, L"C:\\").empty());
}

TEST(FakeFileSystemTest, LocalTimeIsNineHoursAheadAndFailsForHugeValues) {
    FakeFileSystem fs;
    const auto local = fs.toLocalTime(FakeFileSystem::fileTime(2001, 2, 21, 0, 5, 3, 999));
    ASSERT_TRUE(local);
    EXPECT_EQ(local->year, 2001);
    EXPECT_EQ(local->month, 2);
    EXPECT_EQ(local->day, 21);
    EXPECT_EQ(local->hour, 9);
    EXPECT_EQ(local->minute, 5);
    EXPECT_EQ(local->second, 3);
    EXPECT_FALSE(fs.toLocalTime(0x8000000000000000ULL));
}

}  // namespace
}  // namespace twinpath
