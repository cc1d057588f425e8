#include "tests/app/FormHarness.h"

namespace twinpath {
namespace {

TEST_F(FormTest, CaseOptionsApplyToBothFormsAndAreReadAnew) {
    start(L"c:\\program files\\some folder\\read me.txt");
    form.Option1_Click(1);
    EXPECT_EQ(longField(), L"C:\\PROGRAM FILES\\SOME FOLDER\\READ ME.TXT");
    EXPECT_EQ(shortField(), L"C:\\PROGRA~1\\SOMEFO~1\\README~1.TXT");
    form.Option1_Click(2);
    EXPECT_EQ(longField(), L"c:\\program files\\some folder\\read me.txt");
    EXPECT_EQ(shortField(), L"c:\\progra~1\\somefo~1\\readme~1.txt");

    // "Normal" reads the forms again, it does not undo the case mapping; a
    // renamed file shows its new stored name.
    fs.remove(L"C:\\Program Files\\Some Folder\\Read Me.txt");
    fs.addFile(L"C:\\Program Files\\Some Folder\\READ ME.txt|README~1.TXT");
    const int searchesBefore = fs.searches;
    form.Option1_Click(0);
    EXPECT_EQ(longField(), L"c:\\Program Files\\Some Folder\\READ ME.txt");
    EXPECT_GT(fs.searches, searchesBefore);
    EXPECT_EQ(form.caseSelection(), 0);
}

TEST_F(FormTest, OptionBeforeAnyPathEmptiesBothFields) {
    form.Option1_Click(1);
    EXPECT_EQ(longField(), L"");
    EXPECT_EQ(shortField(), L"");
    EXPECT_EQ(form.caseSelection(), 1);
}

TEST_F(FormTest, OutOfRangeOptionOnlyStoresTheIndex) {
    start(L"C:\\a\\b");
    form.Option1_Click(7);
    EXPECT_EQ(form.caseSelection(), 7);
    EXPECT_EQ(longField(), L"C:\\a\\b");
}

TEST_F(FormTest, CopyButtonsWithNothingShownPromptAndLeaveTheClipboard) {
    start();
    window.clipboard = L"kept";
    for (std::int16_t button : {0, 1}) {
        window.fields[1] = L"";
        form.BtnCopy_Click(button);
        EXPECT_EQ(shortField(), texts::kPrompt);
        EXPECT_EQ(window.clipboard, L"kept");
    }
}

TEST_F(FormTest, CopyPlacesTheFieldAsDisplayed) {
    start(L"c:\\progra~1");
    form.Option1_Click(1);
    form.BtnCopy_Click(0);
    EXPECT_EQ(window.clipboard, L"C:\\PROGRAM FILES");
    form.BtnCopy_Click(1);
    EXPECT_EQ(window.clipboard, L"C:\\PROGRA~1");

    // A long form without a short one: the clipboard gets the empty text.
    fs.failShortPath = true;
    form.Option1_Click(0);
    form.BtnCopy_Click(1);
    EXPECT_EQ(window.clipboard, L"");
}

TEST_F(FormTest, CopyWhileTheClipboardIsHeldElsewhereGoesOn) {
    start(L"C:\\a");
    window.clipboardHeldElsewhere = true;
    form.BtnCopy_Click(0);
    EXPECT_FALSE(window.clipboard.has_value());
    EXPECT_EQ(longField(), L"C:\\a");
}

TEST_F(FormTest, DoubleClickSelectsTheWholeText) {
    start(L"C:\\a\\b\\c");
    form.TextFileName_DblClick(0);
    EXPECT_EQ(window.selections[0].start, 0);
    EXPECT_EQ(window.selections[0].length, 8);
    window.fields[1].clear();
    form.TextFileName_DblClick(1);
    EXPECT_EQ(window.selections[1].length, 0);
}

}  // namespace
}  // namespace twinpath
