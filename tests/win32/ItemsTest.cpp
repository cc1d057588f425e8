// Items from the system's own sources: the clipboard's file list put there by
// another program, its text, and every path of a drop.
#include "tests/win32/Support.h"
#include "win32/Clipboard.h"
#include "win32/ClipboardItems.h"
#include "win32/DroppedFiles.h"

using namespace twinpath::wine;

TEST(ClipboardItemsTest, AnotherProgramsFileListComesInOrderElseTheTextAPathALineAndNothingIsWritten) {
    const win32::UniqueWindow owner = plainWindow(0, HWND_MESSAGE);
    ASSERT_TRUE(win32::setClipboardText(owner.get(), L" \"C:\\a b.txt\"\r\n\r\nC:\\c.txt"));
    EXPECT_EQ(win32::clipboardItems(owner.get()), (std::vector<std::wstring>{L"C:\\a b.txt", L"C:\\c.txt"}));
    const std::vector<std::wstring> files = {L"C:\\t\\b.txt", L"C:\\t\\a b.txt", L"\\\\server\\share\\\u65e5.txt"};
    // A program of its own puts them there and stays the clipboard's owner until it is ended.
    const StartedProcess source(L"\"" CLIPBOARD_SOURCE_EXE L"\" " + files[0] + L"|" + files[1] + L"|" + files[2]);
    ASSERT_TRUE(waitUntil([] { return ::IsClipboardFormatAvailable(CF_HDROP); }));
    const DWORD written = ::GetClipboardSequenceNumber();
    EXPECT_EQ(win32::clipboardItems(owner.get()), files);
    EXPECT_EQ(::GetClipboardSequenceNumber(), written);
}

TEST(DroppedFilesTest, EveryPathComesInOrderAndANameTheBlockCutsIsLeftOut) {
    const auto pathsOf = [](const std::string& block) {
        return win32::droppedPaths(static_cast<HDROP>(globalCopy(block).get()));
    };
    const std::vector<std::wstring> names = {L"C:\\" + std::wstring(400, L'd'), L"C:\\b", L"C:\\abcd"};
    EXPECT_EQ(pathsOf(fileListBytes(names)), names);
    // 32 bytes end inside "C:\abcd" after the header and "C:\b".
    EXPECT_EQ(pathsOf(fileListBytes({L"C:\\b", L"C:\\abcd"}).substr(0, 32)), (std::vector<std::wstring>{L"C:\\b"}));
    EXPECT_EQ(pathsOf(fileListBytes({L"C:\\a"}, 1000)), std::vector<std::wstring>{});
    EXPECT_EQ(pathsOf(fileListBytes({L"C:\\a"}, 0)), std::vector<std::wstring>{});
}
