#include "tests/app/FormHarness.h"

namespace twinpath {
namespace {

TEST_F(FormTest, StartWithoutArgumentsShowsEmptyFieldsAndTheVersion) {
    start();
    EXPECT_EQ(window.windowCaption, L"Twinpath  < Drag&Drop or Command Line >  Ver.1.3.0");
    EXPECT_EQ(longField(), L"");
    EXPECT_EQ(shortField(), L"");
    EXPECT_EQ(window.selectedOption, 0);
    EXPECT_EQ(form.caseSelection(), 0);
    EXPECT_EQ(form.basePath(), L"");
    EXPECT_EQ(window.focusedField, 1);
    EXPECT_EQ(window.broughtToFront, 0);
}

TEST_F(FormTest, StartWithAPathShowsBothFormsAndSelectsTheShortOne) {
    start(L"c:\\progra~1\\somefo~1\\readme~1.txt");
    EXPECT_EQ(longField(), L"c:\\Program Files\\Some Folder\\Read Me.txt");
    EXPECT_EQ(shortField(), L"c:\\PROGRA~1\\SOMEFO~1\\README~1.TXT");
    EXPECT_EQ(form.basePath(), longField());
    EXPECT_EQ(window.focusedField, 1);
    EXPECT_EQ(window.selections[1].start, 0);
    EXPECT_EQ(window.selections[1].length, static_cast<int>(shortField().size()));
}

TEST_F(FormTest, CommandLineShapes) {
    const struct {
        const wchar_t* arguments;
        const wchar_t* longForm;
    } cases[] = {
        // Shells quote paths with blanks; "Send To" of several files takes the first.
        {L"\"C:\\Program Files\\Some Folder\\Read Me.txt\"", kReadMeLong},
        {L"  \"C:\\Program Files\\Some Folder\\Read Me.txt\" \"C:\\a\\b\\c\\d.txt\"", kReadMeLong},
        // An unquoted path with blanks is the whole text.
        {L"C:\\Program Files\\Some Folder\\Read Me.txt", kReadMeLong},
        // A relative path names a file in the starting copy's current folder.
        {L"b\\c\\d.txt", L"C:\\a\\b\\c\\d.txt"},
        {L"C:\\missing.txt", L""},
    };
    process.currentFolder = L"C:\\a";
    for (const auto& c : cases) {
        TwinpathF fresh{window, fs, text, process};
        process.arguments = c.arguments;
        fresh.Form_Load();
        EXPECT_EQ(window.fields[0], c.longForm) << ::testing::PrintToString(c.arguments);
    }
}

TEST_F(FormTest, SecondCopyHandsItsPathOverAndEnds) {
    process.anotherCopyRunning = true;
    process.arguments = L"\"sub dir\\x.txt\"";
    EXPECT_EQ(form.Form_Load(), TwinpathF::LoadResult::HandedOff);
    ASSERT_EQ(process.handedOff.size(), 1u);
    EXPECT_EQ(process.handedOff[0], L"C:\\Work\\sub dir\\x.txt");
    // Nothing of the window was prepared.
    EXPECT_EQ(window.fields[0], L"TextLong");
    EXPECT_EQ(window.windowCaption.find(L"Ver."), std::wstring::npos);
}

TEST_F(FormTest, SecondCopyWithoutArgumentsHandsOverTheEmptyText) {
    process.anotherCopyRunning = true;
    EXPECT_EQ(form.Form_Load(), TwinpathF::LoadResult::HandedOff);
    EXPECT_EQ(process.handedOff, std::vector<std::wstring>{L""});
}

TEST_F(FormTest, SecondCopyOpensItsOwnWindowWhenTheRunningCopyDoesNotAnswer) {
    process.anotherCopyRunning = true;
    process.otherCopyAnswers = false;
    process.arguments = L"C:\\a\\b\\c\\d.txt";
    EXPECT_EQ(form.Form_Load(), TwinpathF::LoadResult::ShowWindow);
    EXPECT_EQ(longField(), L"C:\\a\\b\\c\\d.txt");
}

TEST_F(FormTest, EveryInputPathTakesTheSameRoad) {
    start();
    window.minimized = true;
    form.Option1_Click(2);
    form.setLinkLabelCaption(L"C:\\PROGRA~1\\SOMEFO~1\\README~1.TXT");
    EXPECT_FALSE(window.minimized);
    EXPECT_EQ(window.broughtToFront, 1);
    EXPECT_EQ(longField(), L"c:\\program files\\some folder\\read me.txt");
    EXPECT_EQ(shortField(), L"c:\\progra~1\\somefo~1\\readme~1.txt");
    EXPECT_EQ(form.basePath(), longField());
    EXPECT_EQ(window.selections[1].length, static_cast<int>(shortField().size()));

    // A drop goes the same way; a path that cannot be read empties both.
    form.OLEDragDrop(L"C:\\nothing\\here");
    EXPECT_EQ(longField(), L"");
    EXPECT_EQ(shortField(), L"");
    EXPECT_EQ(form.basePath(), L"");
}

TEST_F(FormTest, EmptyCaptionStopsAtOnce) {
    start(L"C:\\a\\b");
    window.maximized = true;
    form.setLinkLabelCaption(L"");
    EXPECT_TRUE(window.maximized);
    EXPECT_EQ(window.broughtToFront, 1);
    EXPECT_EQ(longField(), L"C:\\a\\b");
}

TEST_F(FormTest, DropWaitingWhileTheFieldTakesTheFocusIsHandledFirst) {
    start(L"C:\\a\\b");
    window.focusedField = 0;
    window.pendingMessages.push_back([this] { form.OLEDragDrop(L"C:\\a\\b\\c\\d.txt"); });
    window.focusField(1);
    EXPECT_EQ(longField(), L"C:\\a\\b\\c\\d.txt");
    EXPECT_EQ(window.selections[1].length, static_cast<int>(shortField().size()));
}

TEST_F(FormTest, ClosingReleasesTheConverter) {
    start(L"C:\\a");
    ASSERT_TRUE(form.hasConverter());
    form.Form_QueryUnload();
    EXPECT_FALSE(form.hasConverter());
}

}  // namespace
}  // namespace twinpath
