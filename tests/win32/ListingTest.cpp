#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>

#include "listing/ListingReport.h"
#include "listing/clsLngLst.h"
#include "listing/modQSort.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32TextServices.h"
#include "tests/win32/TempTree.h"

namespace twinpath {
namespace {

using Tables = std::vector<std::wstring>;
using wine::TempTree;

// The last-write time the system reports for a path, in local time as
// Explorer shows it, formatted independently of the lister.
std::wstring reportedTime(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    SYSTEMTIME utc{};
    SYSTEMTIME local{};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
        !::FileTimeToSystemTime(&data.ftLastWriteTime, &utc) ||
        !::SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local))
        return L"no time";
    wchar_t text[32];
    std::swprintf(text, 32, L"%04u/%02u/%02u %02u:%02u:%02u", local.wYear, local.wMonth, local.wDay,
                  local.wHour, local.wMinute, local.wSecond);
    return text;
}

class RealListingTest : public ::testing::Test {
protected:
    std::wstring listAndSort(const std::wstring& path) {
        lister.pInFileName(path);
        const std::wstring folder = lister.pListFileName(names, statuses).value_or(L"");
        QSort(statuses, names, 0, static_cast<std::int32_t>(names.size()) - 1, text);
        return folder;
    }

    bool listed(const std::wstring& name) const {
        return std::find(names.begin(), names.end(), name) != names.end();
    }

    win32::Win32FileSystem fs;
    win32::Win32TextServices text;
    clsLngLst lister{fs};
    Tables names;
    Tables statuses;
    TempTree tree;
};

TEST_F(RealListingTest, HiddenAndSystemEntriesAreListed) {
    ::SetFileAttributesW(tree.addFile(L"hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    ::SetFileAttributesW(tree.addFile(L"system.txt").c_str(), FILE_ATTRIBUTE_SYSTEM);
    ::SetFileAttributesW(tree.addFolder(L"Hidden Folder").c_str(),
                         FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY);

    EXPECT_EQ(listAndSort(tree.path(L"system.txt")), tree.root());
    EXPECT_EQ(names, (Tables{L"Hidden Folder", L"hidden.txt", L"system.txt"}));
    ASSERT_EQ(statuses.size(), 3u);
    EXPECT_TRUE(statuses[0].starts_with(L"D Hidden Folder   >0>"));
    EXPECT_TRUE(statuses[2].starts_with(L"F system.txt   >0>"));
}

TEST_F(RealListingTest, SparseFileShowsItsFullSize) {
    tree.addFile(L"big.bin", 5'368'709'120);
    listAndSort(tree.root());
    ASSERT_EQ(statuses.size(), 1u);
    EXPECT_TRUE(statuses[0].starts_with(L"F big.bin   >5368709120>"))
        << ::testing::PrintToString(statuses[0]);
}

TEST_F(RealListingTest, ReportOfAPreparedFolderMatchesByteForByte) {
    const std::wstring folder = tree.addFolder(L"Data");
    const std::wstring sub = tree.addFolder(L"Data\\Sub");
    const std::wstring a = tree.addFile(L"Data\\A.txt", 1234);
    const std::wstring b = tree.addFile(L"Data\\b.txt", 106'429'952);
    const std::wstring times[] = {reportedTime(sub), reportedTime(a), reportedTime(b)};

    EXPECT_EQ(listAndSort(a), folder);
    const std::wstring heading = L"DIR : " + folder + L"\r\n\r\n";
    EXPECT_EQ(buildListingReport(folder, names, statuses, ListMode::NamesOnly),
              heading + L"Sub\r\nA.txt\r\nb.txt\r\n");
    EXPECT_EQ(buildListingReport(folder, names, statuses, ListMode::SizeAndDate),
              heading + L"  SIZE   DATE       TIME   \tNAME\r\n" + L"<DIR>   " + times[0] + L"\tSub\r\n" +
                  L"    1KB " + times[1] + L"\tA.txt\r\n" + L"  102MB " + times[2] + L"\tb.txt\r\n");
}

TEST_F(RealListingTest, NamesInAnyScriptSurvive) {
    const Tables created{L"Данные", L"日本語のファイル名.txt", L"smile \U0001F600.txt"};
    for (const auto& name : created) tree.addFile(name);
    listAndSort(tree.root());
    for (const auto& name : created) EXPECT_TRUE(listed(name)) << ::testing::PrintToString(name);
    EXPECT_EQ(names.size(), created.size());
}

TEST_F(RealListingTest, DriveRootListsItself) {
    // "C:\" makes the pattern "C:\\*", which the system reads as "C:\*".
    EXPECT_EQ(listAndSort(L"C:\\"), L"C:\\");
    EXPECT_TRUE(listed(L"windows") || listed(L"Windows"));
    EXPECT_FALSE(listed(L".") || listed(L".."));
}

}  // namespace
}  // namespace twinpath
