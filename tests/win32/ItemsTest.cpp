// Items from the system's own sources: the command line's split held against
// the system's, the clipboard's file list put there by another program, its
// text, every path of a drop, and why a path cannot be read.
#include "paths/ArgumentItems.h"
#include "tests/core/paths/ArgumentRows.h"
#include "tests/win32/Support.h"
#include "win32/Clipboard.h"
#include "win32/ClipboardItems.h"
#include "win32/DroppedFiles.h"
#include "win32/SystemMessage.h"
#include "win32/Win32FileSystem.h"

using namespace twinpath::wine;

TEST(CommandLineTest, TheSplitTableIsTheSystemsOwn) {
    for (const auto& row : rows::kSplits) {
        int count = 0;
        // The system reads the first item as the program's name, by rules of its own.
        const std::unique_ptr<LPWSTR[], decltype(&::LocalFree)> items(
            ::CommandLineToArgvW((L"x " + row.text).c_str(), &count), &::LocalFree);
        ASSERT_TRUE(items);
        EXPECT_EQ(std::vector<std::wstring>(items.get() + 1, items.get() + count), row.items)
            << testing::PrintToString(row.text);
    }
}

// A program that puts a file list and a text on the clipboard and stays its owner until it is ended.
struct ClipboardSource {
    explicit ClipboardSource(const std::wstring& names) {
        std::wstring commandLine = L"\"" CLIPBOARD_SOURCE_EXE L"\" " + names;
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION started{};
        ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started);
        const win32::UniqueHandle thread(started.hThread);
        process.reset(started.hProcess);
    }
    ~ClipboardSource() { ::TerminateProcess(process.get(), 0) && ::WaitForSingleObject(process.get(), 5000); }
    win32::UniqueHandle process;
};

TEST(ClipboardItemsTest, AnotherProgramsFileListComesInOrderElseTheTextAPathALineAndNothingIsWritten) {
    const win32::UniqueWindow owner = plainWindow(0, HWND_MESSAGE);
    ASSERT_TRUE(win32::setClipboardText(owner.get(), L" \"C:\\a b.txt\"\r\n\r\nC:\\c.txt"));
    EXPECT_EQ(win32::clipboardItems(owner.get()), (std::vector<std::wstring>{L"C:\\a b.txt", L"C:\\c.txt"}));
    const std::vector<std::wstring> files = {L"C:\\t\\b.txt", L"C:\\t\\a b.txt", L"\\\\server\\share\\\u65e5.txt"};
    const ClipboardSource source(files[0] + L"|" + files[1] + L"|" + files[2]);
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

TEST(FileSystemTest, WhyAPathCannotBeReadIsToldInTheSystemsWords) {
    TempTree tree;
    win32::Win32FileSystem fileSystem;
    EXPECT_EQ(fileSystem.whyUnreadable(tree.add(L"a.txt")), L"");
    EXPECT_EQ(fileSystem.whyUnreadable(tree.root + L"\\nosuch.txt"), win32::systemMessage(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(fileSystem.whyUnreadable(tree.root + L"\\no\\such.txt"), win32::systemMessage(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(fileSystem.whyUnreadable(L"NUL"), win32::systemMessage(ERROR_FILE_NOT_FOUND));
}
