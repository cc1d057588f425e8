#include "tests/app/FormHarness.h"

namespace twinpath {
namespace {

TEST_F(FormTest, UpTwiceAndDownTwiceReturnsToTheInputInTheSelectedCase) {
    start(L"c:\\A\\B\\C");
    form.Option1_Click(1);
    ASSERT_EQ(longField(), L"C:\\A\\B\\C");
    const std::vector<std::wstring> expected = {L"C:\\A\\B", L"C:\\A", L"C:\\A", L"C:\\A\\B", L"C:\\A\\B\\C",
                                                L"C:\\A\\B\\C"};
    const std::int16_t clicks[] = {0, 0, 0, 1, 1, 1};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        form.BtnDirLV_Click(clicks[i]);
        EXPECT_EQ(longField(), expected[i]) << "after click " << i;
        EXPECT_EQ(shortField(), expected[i]) << "after click " << i;
    }
    EXPECT_EQ(form.basePath(), L"c:\\a\\b\\c");
}

TEST_F(FormTest, UpStopsBelowTheDriveRootAndAtTheShare) {
    const struct {
        const wchar_t* input;
        const wchar_t* afterOneUp;
    } cases[] = {
        {L"C:\\", L"C:\\"},
        {L"C:\\a", L"C:\\a"},
        {L"\\\\Server\\Share\\Dir", L"\\\\Server\\Share"},
        {L"\\\\Server\\Share", L"\\\\Server\\Share"},
        {L"\\\\Server\\Share\\", L"\\\\Server\\Share"},
        // The extended and device-namespace forms keep their volume or server
        // too, and never climb to "\\?\C:" or "\\?\UNC\Server".
        {L"\\\\?\\C:\\a\\b", L"\\\\?\\C:\\a"},
        {L"\\\\?\\C:\\a", L"\\\\?\\C:\\a"},
        {L"\\\\.\\C:\\a", L"\\\\.\\C:\\a"},
        {L"\\\\?\\UNC\\Server\\Share\\Dir", L"\\\\?\\UNC\\Server\\Share"},
        {L"\\\\?\\unc\\Server\\Share", L"\\\\?\\unc\\Server\\Share"},
    };
    fs.addFolder(L"C:\\");
    // The fake takes "\\?\C:" and "\\?\UNC" for shares, which the real system
    // does not: a climb to them would show.
    fs.addFolder(L"\\\\?\\C:\\a\\b");
    fs.addFolder(L"\\\\.\\C:\\a");
    fs.addFolder(L"\\\\?\\UNC\\Server\\Share\\Dir");
    for (const auto& c : cases) {
        form.setLinkLabelCaption(c.input);
        form.BtnDirLV_Click(0);
        EXPECT_EQ(longField(), c.afterOneUp) << ::testing::PrintToString(c.input);
    }
}

TEST_F(FormTest, DownFromTheDeepestLevelChangesNothing) {
    start(L"C:\\a\\b\\c\\d.txt");
    const int searches = fs.searches;
    form.BtnDirLV_Click(1);
    EXPECT_EQ(longField(), L"C:\\a\\b\\c\\d.txt");
    EXPECT_EQ(fs.searches, searches);
}

TEST_F(FormTest, VanishedLevelEmptiesBothFieldsThenOnlyPrompts) {
    start(L"C:\\a\\b\\c\\d.txt");
    fs.remove(L"C:\\a\\b\\c");
    form.BtnDirLV_Click(0);
    EXPECT_EQ(longField(), L"");
    EXPECT_EQ(shortField(), L"");
    for (std::int16_t button : {0, 1}) {
        window.fields[1].clear();
        form.BtnDirLV_Click(button);
        EXPECT_EQ(shortField(), texts::kPrompt);
        EXPECT_EQ(longField(), L"");
    }
}

TEST_F(FormTest, NavigationWithNothingShownPrompts) {
    start();
    form.BtnDirLV_Click(1);
    EXPECT_EQ(shortField(), texts::kPrompt);
    EXPECT_EQ(longField(), L"");
}

}  // namespace
}  // namespace twinpath
