#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "pathname/clsLngSht.h"
#include "platform/win32/BufferCall.h"
#include "platform/win32/DevicePath.h"
#include "platform/win32/LongPath.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32TextServices.h"
#include "tests/win32/TempTree.h"

namespace twinpath {
namespace {

using wine::systemShortPath;
using wine::TempTree;

std::wstring upper(std::wstring text) {
    for (auto& c : text) c = static_cast<wchar_t>(::towupper(c));
    return text;
}

std::wstring lower(std::wstring text) {
    for (auto& c : text) c = static_cast<wchar_t>(::towlower(c));
    return text;
}

class RealConverterTest : public ::testing::Test {
protected:
    win32::Win32FileSystem fs;
    clsLngSht converter{fs};
    TempTree tree;
};

TEST_F(RealConverterTest, LongNamesComeBackFromTheirAliases) {
    const std::wstring file = tree.addFile(L"Long Folder Name\\Another Long File.text");
    const std::wstring alias = systemShortPath(file);
    ASSERT_FALSE(alias.empty());
    ASSERT_NE(alias, file);

    converter.pInFileName(alias);
    EXPECT_EQ(converter.pLongFileName(), file);
    EXPECT_EQ(converter.pShortFileName(), alias);
}

TEST_F(RealConverterTest, StoredCaseComesBackBelowTheTypedHead) {
    const std::wstring file = tree.addFile(L"MiXeD Case\\Some File.TxT");
    // The head ("C:\") keeps its typed case; everything below takes the stored case.
    for (const std::wstring& typed : {lower(file), upper(file)}) {
        converter.pInFileName(typed);
        EXPECT_EQ(converter.pLongFileName(), typed.substr(0, 3) + file.substr(3));
    }
}

TEST_F(RealConverterTest, MissingPathGivesTwoEmptyForms) {
    converter.pInFileName(tree.path(L"no such file.txt"));
    EXPECT_EQ(converter.pLongFileName(), L"");
    EXPECT_EQ(converter.pShortFileName(), L"");
}

TEST_F(RealConverterTest, NamesInAnyScriptSurviveBothForms) {
    for (const std::wstring name : {L"Папка с данными\\Файл.txt", L"日本語のフォルダ\\日本語のファイル名.txt",
                                    L"emoji \U0001F600 folder\\smile \U0001F600.txt"}) {
        const std::wstring file = tree.addFile(name);
        const std::wstring alias = systemShortPath(file);
        ASSERT_FALSE(alias.empty());

        converter.pInFileName(alias);
        EXPECT_EQ(converter.pLongFileName(), file);
        const std::wstring shortForm = converter.pShortFileName();
        EXPECT_EQ(shortForm, alias);

        // The short form names the same file again.
        converter.pInFileName(shortForm);
        EXPECT_EQ(converter.pLongFileName(), file);
    }
}

TEST_F(RealConverterTest, PathsLongerThan260CharactersWork) {
    std::wstring relative;
    for (int level = 0; level < 12; ++level) relative += L"A Rather Long Folder Name " + std::to_wstring(level) + L"\\";
    const std::wstring file = tree.addFile(relative + L"The File At The Bottom.txt");
    ASSERT_GT(file.size(), 300u);

    converter.pInFileName(lower(file));
    EXPECT_EQ(converter.pLongFileName(), lower(file).substr(0, 3) + file.substr(3));

    const std::wstring shortForm = converter.pShortFileName();
    ASSERT_FALSE(shortForm.empty());
    EXPECT_FALSE(shortForm.starts_with(L"\\\\?\\"));
    EXPECT_LT(shortForm.size(), file.size());
    converter.pInFileName(shortForm);
    EXPECT_EQ(converter.pLongFileName(), shortForm.substr(0, 3) + file.substr(3));
}

TEST_F(RealConverterTest, PrefixedFolderWithATrailingSeparatorIsSearched) {
    tree.addFile(L"inside.txt");
    auto search = fs.search(L"\\\\?\\" + tree.root() + L"\\\\*");
    FindEntry entry;
    std::vector<std::wstring> names;
    while (search->next(entry)) names.push_back(entry.name);
    EXPECT_NE(std::find(names.begin(), names.end(), L"inside.txt"), names.end());
}

TEST(DevicePathTest, DevicesAndStreamsAreNoFilesOrFolders) {
    const struct {
        const wchar_t* path;
        bool noFileOrFolder;
    } cases[] = {
        {L"CON", true},
        {L"nul", true},
        {L"COM1", true},
        {L"LPT1:", true},
        {L"\\\\.\\CON", true},
        {L"\\\\.\\pipe\\some pipe", true},
        {L"\\\\.\\C:", true},
        {L"\\\\?\\C:", true},
        {L"\\\\?\\GLOBALROOT\\Device\\Null", true},
        {L"\\\\?\\Volume{1234}", true},
        {L"C:\\dir\\file.txt:stream", true},
        {L"C:\\dir\\file.txt::$DATA", true},
        {L"\\\\?\\C:\\dir\\file.txt:stream", true},
        {L"\\\\server\\share\\file.txt:stream", true},
        {L"file.txt:stream", true},
        {L"C:\\", false},
        {L"C:\\dir\\file.txt", false},
        {L"C:\\dir\\file.txt.", false},
        {L"C:relative.txt", false},
        {L"relative\\file.txt", false},
        {L"\\\\server\\share\\file.txt", false},
        {L"\\\\?\\C:\\dir", false},
        {L"\\\\.\\C:\\dir", false},
        {L"\\\\?\\UNC\\server\\share\\dir", false},
        {L"\\\\?\\Volume{1234}\\dir", false},
    };
    for (const auto& c : cases) EXPECT_EQ(win32::namesNoFileOrFolder(c.path), c.noFileOrFolder) << c.path;
}

TEST(DevicePathTest, AReservedNameInARealFolderHasNoAttributes) {
    TempTree tree;
    const std::wstring file = tree.addFile(L"real.txt");
    win32::Win32FileSystem fs;
    // Wine maps these to devices in every folder, as Windows 10 does.
    EXPECT_EQ(fs.attributes(tree.path(L"NUL.txt")), std::nullopt);
    EXPECT_EQ(fs.attributes(tree.path(L"CON")), std::nullopt);
    EXPECT_EQ(fs.attributes(file + L"::$DATA"), std::nullopt);
    EXPECT_NE(fs.attributes(file), std::nullopt);
    EXPECT_NE(fs.attributes(L"\\\\.\\" + file), std::nullopt);
    EXPECT_NE(fs.attributes(L"\\\\?\\" + file), std::nullopt);
}

TEST(LongPathTest, PrefixWrapsOnlyLongFullPathsAndIsTakenOffAgain) {
    EXPECT_EQ(win32::toApiPath(L"C:\\short"), L"C:\\short");
    const std::wstring deep = L"C:\\" + std::wstring(300, L'x');
    EXPECT_EQ(win32::toApiPath(deep), L"\\\\?\\" + deep);
    const std::wstring share = L"\\\\server\\share\\" + std::wstring(300, L'y');
    EXPECT_EQ(win32::toApiPath(share), L"\\\\?\\UNC\\server\\share\\" + std::wstring(300, L'y'));
    EXPECT_EQ(win32::fromApiPath(win32::toApiPath(share), share), share);
    EXPECT_EQ(win32::fromApiPath(L"\\\\?\\C:\\x", L"\\\\?\\C:\\x"), L"\\\\?\\C:\\x");
}

TEST(BufferCallTest, GrowsFromATinyFirstBuffer) {
    std::wstring folder;
    ASSERT_TRUE(win32::callWithGrowingBuffer(
        [](wchar_t* buffer, DWORD capacity) { return ::GetWindowsDirectoryW(buffer, capacity); }, folder, 1));
    std::wstring expected(MAX_PATH, L'\0');
    expected.resize(::GetWindowsDirectoryW(expected.data(), MAX_PATH));
    EXPECT_EQ(folder, expected);

    std::wstring unused;
    EXPECT_FALSE(win32::callWithGrowingBuffer([](wchar_t*, DWORD) -> DWORD { return 0; }, unused, 1));
}

TEST(TextServicesTest, CaseMappingKeepsTheLengthAndComparisonIgnoresCase) {
    win32::Win32TextServices text;
    EXPECT_EQ(text.toUpper(L"c:\\straße\\éte\\ｆｕｌｌ"), L"C:\\STRAßE\\ÉTE\\ＦＵＬＬ");
    EXPECT_EQ(text.toLower(L"C:\\ÉTÉ\\ДАННЫЕ"), L"c:\\été\\данные");
    EXPECT_EQ(text.compareNoCase(L"abc", L"ABC"), 0);
    EXPECT_LT(text.compareNoCase(L"a.txt   >", L"B.txt   >"), 0);
    EXPECT_LT(text.compareNoCase(L"D Sub", L"F a"), 0);
}

}  // namespace
}  // namespace twinpath
