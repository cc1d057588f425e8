#include <gtest/gtest.h>

#include "fakes/Fakes.h"
#include "paths/ArgumentItems.h"
#include "paths/PastedItems.h"

using namespace twinpath;

TEST(ArgumentItemsTest, TheSplitFollowsTheRulesOfWindowsCommandLines) {
    // The rows agree with CommandLineToArgvW's split (checked under Wine).
    struct Row {
        std::wstring text;
        std::vector<std::wstring> items;
    };
    const Row rows[] = {
        {.text = L"", .items = {}},
        {.text = L" \tC:\\a\t\tC:\\b  \t ", .items = {L"C:\\a", L"C:\\b"}},
        {.text = L"a\nb\vc\rd", .items = {L"a\nb\vc\rd"}},
        {.text = L"\"C:\\a b.txt\" \"C:\\c\td\"", .items = {L"C:\\a b.txt", L"C:\\c\td"}},
        {.text = L"a\"b c\"d e", .items = {L"ab cd", L"e"}},
        {.text = L"\"C:\\unclosed x \t", .items = {L"C:\\unclosed x \t"}},
        {.text = L"\"\" x \"\"", .items = {L"", L"x", L""}},
        {.text = L"\"a\"\"b\" c", .items = {L"a\"b c"}},
        {.text = L"\"\"\"a\" b", .items = {L"\"a b"}},
        {.text = L"a\\\"b c", .items = {L"a\"b", L"c"}},
        {.text = L"a\\\\\"b c\" d", .items = {L"a\\b c", L"d"}},
        {.text = L"a\\\\\\\"b", .items = {L"a\\\"b"}},
        {.text = L"\"a\\\" b\" c", .items = {L"a\" b", L"c"}},
        {.text = L"\"C:\\\\\" next", .items = {L"C:\\", L"next"}},
        {.text = L"\\\\server\\share\\ x\\", .items = {L"\\\\server\\share\\", L"x\\"}},
    };
    for (const auto& row : rows) EXPECT_EQ(splitArguments(row.text), row.items) << testing::PrintToString(row.text);
}

TEST(ArgumentItemsTest, TheWholeTextIsOnePathWhenItCanBeReadElseItsItemsMadeFull) {
    fakes::FakeFileSystem fs;
    for (const wchar_t* path : {L"C:\\t\\a.txt", L"C:\\t\\b.txt", L"C:\\t\\a b.txt"}) fs.add(path);
    const auto readable = [&](const std::wstring& path) { return fs.attributes(path).has_value(); };
    struct Row {
        std::wstring text;
        std::wstring currentFolder;  // none: the full path cannot be made
        std::vector<std::wstring> items;
    };
    const Row rows[] = {
        {.text = L"C:\\t\\a b.txt", .currentFolder = L"C:\\", .items = {L"C:\\t\\a b.txt"}},
        {.text = L" \tC:\\t\\a b.txt \t", .currentFolder = L"C:\\", .items = {L"C:\\t\\a b.txt"}},
        {.text = L"a b.txt", .currentFolder = L"C:\\t\\", .items = {L"C:\\t\\a b.txt"}},
        {.text = L"\"C:\\t\\a b.txt\" b.txt",
         .currentFolder = L"C:\\t\\",
         .items = {L"C:\\t\\a b.txt", L"C:\\t\\b.txt"}},
        {.text = L"a.txt \"\" \\\\s\\x", .currentFolder = L"", .items = {L"a.txt", L"\\\\s\\x"}},
        {.text = L"C:\\t\\nosuch.txt", .currentFolder = L"C:\\", .items = {L"C:\\t\\nosuch.txt"}},
        {.text = L"C:\\t\\no such.txt", .currentFolder = L"C:\\t\\", .items = {L"C:\\t\\no", L"C:\\t\\such.txt"}},
        // "C:x" lies in the drive's current folder: it is made full too (the system knows how; the fake joins).
        {.text = L"C:x", .currentFolder = L"C:\\t\\", .items = {L"C:\\t\\C:x"}},
        {.text = L" \t", .currentFolder = L"C:\\", .items = {}},
        {.text = L"\"\"", .currentFolder = L"C:\\", .items = {}}};
    for (const Row& row : rows) {
        const auto fullPath = [&](const std::wstring& relative) {
            return row.currentFolder.empty() ? L"" : row.currentFolder + relative;
        };
        EXPECT_EQ(argumentItems(row.text, readable, fullPath), row.items) << testing::PrintToString(row.text);
    }
}

TEST(PastedItemsTest, EachLineIsOnePathWithoutTheBlanksAndQuotesAroundIt) {
    struct Row {
        std::wstring text;
        std::vector<std::wstring> items;
    };
    const Row rows[] = {
        {.text = L"", .items = {}},
        {.text = L"C:\\a\r\nC:\\b\r\n", .items = {L"C:\\a", L"C:\\b"}},
        {.text = L"C:\\a\nC:\\b\rC:\\c", .items = {L"C:\\a", L"C:\\b", L"C:\\c"}},
        {.text = L"\r\n\r\n \t\r\nC:\\a\n\n\r\r", .items = {L"C:\\a"}},
        {.text = L" \tC:\\a b.txt \t\r\n", .items = {L"C:\\a b.txt"}},
        {.text = L"\"C:\\a b.txt\"\r\n\t\"C:\\c\" \r\n\"\"\r\n\" \"", .items = {L"C:\\a b.txt", L"C:\\c"}},
        {.text = L"\"C:\\open\r\nC:\\a\"b\"\r\n\"", .items = {L"\"C:\\open", L"C:\\a\"b\"", L"\""}}};
    for (const Row& row : rows) EXPECT_EQ(pastedItems(row.text), row.items) << testing::PrintToString(row.text);
}
