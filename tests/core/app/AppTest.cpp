#include <gtest/gtest.h>

#include "app/ShortNameHint.h"
#include "fakes/Fakes.h"

using namespace twinpath;
using Texts = std::vector<std::wstring>;

TEST(ShortNameHintTest, NamesFitEightDotThreeInAnyCaseWithTheAllowedCharactersOnly) {
    for (const wchar_t* name : {L"README.TXT", L"readme.txt", L"ReadMe.t", L"A", L"$%'-_@~`.!()", L"{}^#&09"})
        EXPECT_TRUE(fitsEightDotThree(name)) << testing::PrintToString(name);
    for (const wchar_t* name : {L"ABCDEFGHI", L"A.ABCD", L"A.B.C", L"A B", L"A+B", L"A[1]", L".TXT", L"A.", L"",
                                L"CAF\u00c9.TXT", L"\u65e5\u672c.TXT", L"\U0001F600.TXT"})
        EXPECT_FALSE(fitsEightDotThree(name)) << testing::PrintToString(name);
}

TEST(ShortNameHintTest, ItemsWithoutAShortNameAreNamedWithWhatTheirVolumeTells) {
    fakes::FakeFileSystem fs;
    // "Program Files" has its alias and "Data" fits: only the other two lack one.
    fs.add(L"C:\\Program Files|PROGRA~1\\Long Folder\\Data\\Report 2024.txt");
    const std::wstring off = L"the volume does not make short names now (NtfsDisable8dot3NameCreation ",
                       on = L"the volume makes short names now", noneRead = L"the cause is unknown: could not read ",
                       without = L", so an item without one was made while that was off, or copied without it";
    const std::pair<ShortNameFacts, std::wstring> rows[] = {
        {{L"ReFS", false, false, {}, {}}, L"the file system keeps no short names (ReFS)"},
        {{L"NTFS", true, false, true, 0}, L"the network share offers no short names"},
        {{L"NTFS", false, false, true, 1}, off + L"1: off for every volume)"},
        {{L"NTFS", false, false, true, 3}, off + L"3: off for all but the system volume)"},
        {{L"NTFS", false, false, false, 2}, off + L"2: set per volume)"},
        {{L"NTFS", false, false, false, 0}, on + L" (NtfsDisable8dot3NameCreation 0: on for every volume)" + without},
        {{L"NTFS", false, true, {}, 3},
         on + L" (NtfsDisable8dot3NameCreation 3: off for all but the system volume)" + without},
        {{L"NTFS", false, false, true, 2}, on + L" (NtfsDisable8dot3NameCreation 2: set per volume)" + without},
        {{L"FAT32", false, false, true, {}}, on + without},
        {{L"FAT32", false, false, false, {}}, L"the volume does not make short names now"},
        {{L"NTFS", false, false, {}, 2}, noneRead + L"the volume's own setting"},
        {{L"NTFS", false, false, false, {}}, noneRead + L"NtfsDisable8dot3NameCreation"},
        {{L"NTFS", false, false, {}, 4}, noneRead + L"NtfsDisable8dot3NameCreation or the volume's own setting"},
        {{L"", false, false, {}, {}}, noneRead + L"the volume's file system"}};
    for (const auto& [facts, cause] : rows) {
        fs.volumes[L"C:"] = facts;
        EXPECT_EQ(shortNameHint(fs, L"C:\\Program Files\\Long Folder\\Data\\Report 2024.txt"),
                  L"No short name for \"Long Folder\", \"Report 2024.txt\": " + cause + L".");
    }
    // A volume mounted on a folder tells of its own items; items that cannot be read, or paths without a head, give
    // none.
    fs.add(L"C:\\Long Folder\\Mount\\Inner File.txt");
    fs.volumes[L"C:\\Long Folder\\Mount"] = {L"ReFS", false, false, {}, {}};
    EXPECT_EQ(shortNameHint(fs, L"C:\\Long Folder\\Mount\\Inner File.txt"),
              L"No short name for \"Long Folder\": " + noneRead +
                  L"the volume's file system.\r\n"
                  L"No short name for \"Inner File.txt\": the file system keeps no short names (ReFS).");
    for (const wchar_t* path : {L"C:\\Program Files", L"C:\\Gone Folder\\Gone File.txt", L"Long Folder", L"C:\\"})
        EXPECT_EQ(shortNameHint(fs, path), L"") << testing::PrintToString(path);
}
