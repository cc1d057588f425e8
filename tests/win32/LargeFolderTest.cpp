// The list command on a folder of TWINPATH_LARGE_FOLDER_ENTRIES empty files,
// which CTest makes before the test (large_folder.sh): the report holds every
// entry once, in order, and the program stays healthy.
#include <windows.h>

#include <gtest/gtest.h>

#include <cwchar>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/Clipboard.h"
#include "platform/win32/ModeMenu.h"
#include "tests/win32/ProgramUnderTest.h"

namespace twinpath::wine {
namespace {

using namespace std::chrono_literals;

constexpr wchar_t kFolder[] = L"C:\\" TWINPATH_LARGE_FOLDER;
constexpr int kEntries = TWINPATH_LARGE_FOLDER_ENTRIES;

std::wstring entryName(int number) {
    wchar_t name[32];
    std::swprintf(name, std::size(name), L"Entry %06d.dat", number);
    return name;
}

std::vector<std::wstring_view> linesOf(std::wstring_view text) {
    std::vector<std::wstring_view> lines;
    for (std::size_t start = 0; start < text.size();) {
        const auto end = text.find(L"\r\n", start);
        if (end == std::wstring_view::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

class LargeFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = program.window();
        ASSERT_TRUE(window);
        ASSERT_TRUE(waitUntil([&] { return textOf(field(window, 0)) == first; }));
    }

    // Runs a list command, bounded so that a hang fails rather than stalls
    // the run, and returns the report's lines.
    std::vector<std::wstring> listing(HWND target, WPARAM command) {
        EXPECT_TRUE(win32::setClipboardText(nullptr, L"before the listing"));
        EXPECT_TRUE(sendWithin(target, command ? WM_COMMAND : BM_CLICK, command, 0, 240s));
        EXPECT_TRUE(responds(window));
        EXPECT_EQ(program.strayWindows(), std::vector<std::wstring>{});
        std::vector<std::wstring> lines;
        if (const std::optional<std::wstring> report = clipboardText())
            for (const auto line : linesOf(*report)) lines.emplace_back(line);
        return lines;
    }

    const std::wstring first = std::wstring(kFolder) + L"\\" + entryName(1);
    Program program{L"\"" + first + L"\""};
    HWND window = nullptr;
};

TEST_F(LargeFolderTest, NamesOnlyListEveryEntryOnceInOrder) {
    const auto lines = listing(control(window, ControlGroup::BtnListCopy), 0);
    ASSERT_EQ(lines.size(), std::size_t{kEntries} + 2);
    EXPECT_EQ(lines[0], L"DIR : " + std::wstring(kFolder));
    EXPECT_EQ(lines[1], L"");
    int misplaced = 0;
    for (int i = 1; i <= kEntries; ++i) misplaced += lines[static_cast<std::size_t>(i) + 1] != entryName(i);
    EXPECT_EQ(misplaced, 0);
}

TEST_F(LargeFolderTest, SizesAndDatesListEveryEntryOnceInOrder) {
    const auto lines = listing(window, win32::ModeMenu::kFirstCommand + 1);
    ASSERT_EQ(lines.size(), std::size_t{kEntries} + 3);
    EXPECT_EQ(lines[0], L"DIR : " + std::wstring(kFolder));
    EXPECT_EQ(lines[2], L"  SIZE   DATE       TIME   \tNAME");
    // "    0KB 2024/05/06 07:08:09<TAB>name": an empty file, a time, the name.
    int misplaced = 0;
    for (int i = 1; i <= kEntries; ++i) {
        const std::wstring& line = lines[static_cast<std::size_t>(i) + 2];
        misplaced +=
            !line.starts_with(L"    0KB ") || line.find(L'\t') != 27 || line.substr(28) != entryName(i);
    }
    EXPECT_EQ(misplaced, 0);
}

}  // namespace
}  // namespace twinpath::wine
