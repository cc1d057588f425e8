#include "tests/app/FormHarness.h"

namespace twinpath {
namespace {

using fakes::FakeFileSystem;

// The fake's local time is UTC+9.
std::uint64_t localTime(int year, int month, int day, int hour, int minute, int second) {
    return FakeFileSystem::fileTime(year, month, day, hour, minute, second) - 9ULL * 3600 * 10'000'000;
}

class ListCopyTest : public FormTest {
protected:
    ListCopyTest() {
        fs.addFolder(L"C:\\Data\\Sub").lastWriteTime = localTime(2001, 2, 20, 18, 0, 0);
        fs.addFile(L"C:\\Data\\b.txt", 513, localTime(2001, 2, 22, 7, 0, 0));
        fs.addFile(L"C:\\Data\\A.txt", 1234, localTime(2001, 2, 21, 9, 5, 3));
        fs.addFolder(L"C:\\Empty");
        fs.addFile(L"C:\\file.txt");
    }
};

TEST_F(ListCopyTest, NamesReportOfAFolderOrOfAFileInIt) {
    for (const wchar_t* input : {L"C:\\Data", L"C:\\DATA\\a.txt"}) {
        form.setLinkLabelCaption(input);
        form.BtnListCopy_Click();
        EXPECT_EQ(window.clipboard, L"DIR : C:\\Data\r\n\r\nSub\r\nA.txt\r\nb.txt\r\n") << input;
    }
}

TEST_F(ListCopyTest, PickingSizeAndDateMovesTheCheckAndCopiesAtOnce) {
    form.setLinkLabelCaption(L"C:\\Data");
    form.menuCModeSel_Click(1);
    EXPECT_FALSE(window.checks[0]);
    EXPECT_TRUE(window.checks[1]);
    EXPECT_EQ(window.clipboard,
              L"DIR : C:\\Data\r\n\r\n"
              L"  SIZE   DATE       TIME   \tNAME\r\n"
              L"<DIR>   2001/02/20 18:00:00\tSub\r\n"
              L"    1KB 2001/02/21 09:05:03\tA.txt\r\n"
              L"    1KB 2001/02/22 07:00:00\tb.txt\r\n");

    // Picking the checked entry copies again.
    window.clipboard = L"something else";
    form.menuCModeSel_Click(1);
    EXPECT_TRUE(window.checks[1]);
    EXPECT_EQ(window.clipboard->substr(0, 15), L"DIR : C:\\Data\r\n");
}

TEST_F(ListCopyTest, EmptyFolderAndRootFile) {
    form.setLinkLabelCaption(L"C:\\Empty");
    form.BtnListCopy_Click();
    EXPECT_EQ(window.clipboard, L"DIR : C:\\Empty\r\n\r\n\r\n");
    form.menuCModeSel_Click(1);
    EXPECT_EQ(window.clipboard, L"DIR : C:\\Empty\r\n\r\n  SIZE   DATE       TIME   \tNAME\r\n");

    // A file lying directly in a drive root lists the root.
    form.menuCModeSel_Click(0);
    form.setLinkLabelCaption(L"C:\\file.txt");
    form.BtnListCopy_Click();
    EXPECT_EQ(window.clipboard, L"DIR : C:\\\r\n\r\na\r\nData\r\nEmpty\r\nProgram Files\r\nfile.txt\r\n");
}

TEST_F(ListCopyTest, WithNothingShownOnlyPrompts) {
    window.fields[0].clear();
    window.maximized = true;
    window.clipboard = L"kept";
    form.BtnListCopy_Click();
    EXPECT_EQ(shortField(), texts::kPrompt);
    EXPECT_EQ(window.clipboard, L"kept");
    EXPECT_TRUE(window.maximized);
    EXPECT_EQ(window.busyChanges, 0);
    EXPECT_FALSE(form.hasLister());
}

TEST_F(ListCopyTest, RestoresTheWindowAndThePointerEvenWhenTheFolderVanished) {
    form.setLinkLabelCaption(L"C:\\Data\\A.txt");
    fs.remove(L"C:\\Data");
    window.maximized = true;
    window.log.clear();
    form.BtnListCopy_Click();
    EXPECT_FALSE(window.maximized);
    EXPECT_FALSE(window.busy);
    EXPECT_EQ(window.log, (std::vector<std::wstring>{L"restore", L"front", L"busy", L"clear", L"clear", L"set",
                                                      L"idle"}));
    // The stored path cannot be read: the heading with no folder and no entries.
    EXPECT_EQ(window.clipboard, L"DIR : \r\n\r\n");
}

TEST_F(ListCopyTest, RightButtonOpensTheModeMenuOtherButtonsDoNothing) {
    form.BtnListCopy_MouseUp(1);
    form.BtnListCopy_MouseUp(4);
    EXPECT_EQ(window.menusShown, 0);
    form.BtnListCopy_MouseUp(2);
    EXPECT_EQ(window.menusShown, 1);
    EXPECT_FALSE(window.clipboard.has_value());
}

TEST_F(ListCopyTest, ModePickedWithNothingShownStillMovesTheCheck) {
    window.fields[0].clear();
    form.menuCModeSel_Click(1);
    EXPECT_TRUE(window.checks[1]);
    EXPECT_FALSE(window.checks[0]);
    EXPECT_EQ(shortField(), texts::kPrompt);
}

}  // namespace
}  // namespace twinpath
