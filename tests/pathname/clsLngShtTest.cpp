#include "pathname/clsLngSht.h"

#include <gtest/gtest.h>

#include "tests/fakes/FakeFileSystem.h"

namespace twinpath {
namespace {

using fakes::FakeFileSystem;

class ConverterTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs.addFile(L"C:\\Program Files|PROGRA~1\\Foo.TXT");
        fs.addFile(L"C:\\Program Files|PROGRA~1\\Long Folder Name|LONGFO~1\\Deep File.text|DEEPFI~1.TEX");
        fs.addFolder(L"C:\\Data\\Sub");
        fs.addFile(L"C:\\file.txt");
        fs.addFile(L"\\\\Server\\Share\\Dir\\File.Txt");
    }

    struct Forms {
        std::wstring longForm;
        std::wstring shortForm;
    };

    Forms convert(const std::wstring& input) {
        converter.pInFileName(input);
        return {converter.pLongFileName(), converter.pShortFileName()};
    }

    FakeFileSystem fs;
    clsLngSht converter{fs};
};

TEST_F(ConverterTest, LongFormTakesStoredNamesBelowTheTypedHead) {
    const struct {
        const wchar_t* input;
        const wchar_t* longForm;
    } cases[] = {
        {L"c:\\progra~1\\foo.txt", L"c:\\Program Files\\Foo.TXT"},
        {L"C:\\PROGRA~1\\LONGFO~1\\DEEPFI~1.TEX", L"C:\\Program Files\\Long Folder Name\\Deep File.text"},
        {L"c:\\program files\\long folder name\\deep file.text",
         L"c:\\Program Files\\Long Folder Name\\Deep File.text"},
        {L"C:\\DATA\\SUB", L"C:\\Data\\Sub"},
        {L"\\\\server\\SHARE\\dir\\FILE.TXT", L"\\\\server\\SHARE\\Dir\\File.Txt"},
        // Roots and shares are given back exactly as typed, without a lookup.
        {L"c:\\", L"c:\\"},
        {L"\\\\server\\share", L"\\\\server\\share"},
        {L"\\\\SERVER\\share\\", L"\\\\SERVER\\share\\"},
        // Items that name no entry of their own keep their typed text.
        {L"c:\\data\\", L"c:\\Data\\"},
        {L"c:\\data\\\\sub", L"c:\\Data\\\\Sub"},
        {L"c:\\data\\.\\sub", L"c:\\Data\\.\\Sub"},
        {L"c:\\data\\sub\\..\\sub", L"c:\\Data\\Sub\\..\\Sub"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(convert(c.input).longForm, c.longForm) << "input: " << ::testing::PrintToString(c.input);
    }
}

TEST_F(ConverterTest, ShortFormIsWhatTheFileSystemReports) {
    EXPECT_EQ(convert(L"C:\\Program Files\\Long Folder Name\\Deep File.text").shortForm,
              L"C:\\PROGRA~1\\LONGFO~1\\DEEPFI~1.TEX");
    EXPECT_EQ(convert(L"c:\\data\\sub").shortForm, L"c:\\data\\sub");
}

TEST_F(ConverterTest, PathsWithoutADriveOrShareHeadHaveNoLongForm) {
    // "C:" exists (the current folder of the drive), yet has no head to keep.
    EXPECT_EQ(convert(L"C:").longForm, L"");
    EXPECT_EQ(convert(L"C:").shortForm, L"C:");
}

TEST_F(ConverterTest, FormsFollowOnlyTheLastInput) {
    EXPECT_EQ(convert(L"C:\\missing.txt").longForm, L"");
    EXPECT_EQ(converter.pShortFileName(), L"");

    EXPECT_EQ(convert(L"c:\\file.txt").longForm, L"c:\\file.txt");

    const Forms afterInvalid = convert(L"C:\\Data\\nothing");
    EXPECT_EQ(afterInvalid.longForm, L"");
    EXPECT_EQ(afterInvalid.shortForm, L"");
}

TEST_F(ConverterTest, MissingPathMakesNoFurtherFileSystemCalls) {
    converter.pInFileName(L"C:\\missing\\x");
    const int searchesBefore = fs.searches;
    EXPECT_EQ(converter.pLongFileName(), L"");
    EXPECT_EQ(converter.pShortFileName(), L"");
    EXPECT_EQ(fs.searches, searchesBefore);
    EXPECT_EQ(fs.shortPathCalls, 0);
}

TEST_F(ConverterTest, EveryReadWorksAnewWithoutCaching) {
    converter.pInFileName(L"C:\\Data\\Sub");
    EXPECT_EQ(converter.pLongFileName(), L"C:\\Data\\Sub");
    EXPECT_EQ(fs.searches, 2);  // one lookup per item below the head
    fs.remove(L"C:\\Data\\Sub");
    fs.addFolder(L"C:\\Data\\SUB");
    EXPECT_EQ(converter.pLongFileName(), L"C:\\Data\\SUB");
    EXPECT_EQ(fs.searches, 4);
}

TEST_F(ConverterTest, FailedShortNameCallLeavesTheLongFormWhole) {
    fs.failShortPath = true;
    const Forms forms = convert(L"c:\\progra~1\\foo.txt");
    EXPECT_EQ(forms.longForm, L"c:\\Program Files\\Foo.TXT");
    EXPECT_EQ(forms.shortForm, L"");
}

TEST_F(ConverterTest, StoresTheInputExactlyAsGiven) {
    // The stored text is the base of both forms: a trailing "\" and the typed
    // case of the head survive into them.
    const Forms forms = convert(L"c:\\DATA\\sub\\");
    EXPECT_EQ(forms.longForm, L"c:\\Data\\Sub\\");
    EXPECT_EQ(forms.shortForm, L"c:\\DATA\\sub\\");
}

TEST_F(ConverterTest, NamesInAnyScriptSurvive) {
    fs.addFile(L"C:\\Данные\\日本語のファイル名.txt|____~D04.TXT");
    fs.addFile(L"C:\\Данные\\smile \U0001F600.txt");
    EXPECT_EQ(convert(L"C:\\данные\\____~D04.TXT").longForm, L"C:\\Данные\\日本語のファイル名.txt");
    EXPECT_EQ(convert(L"C:\\ДАННЫЕ\\SMILE \U0001F600.TXT").longForm, L"C:\\Данные\\smile \U0001F600.txt");
}

TEST_F(ConverterTest, DeepPathsBeyondTheClassicLimit) {
    std::wstring typed = L"C:";
    std::wstring stored = L"C:";
    for (int level = 0; level < 40; ++level) {
        stored += L"\\Folder Number " + std::to_wstring(level);
        typed += L"\\folder number " + std::to_wstring(level);
    }
    fs.addFolder(stored);
    ASSERT_GT(stored.size(), 600u);
    EXPECT_EQ(convert(typed).longForm, L"C:" + stored.substr(2));
}

}  // namespace
}  // namespace twinpath
