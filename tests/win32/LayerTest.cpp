// The Windows layer's own decisions on Wine's real file system, clipboard and
// locale: long and Unicode paths, devices, case and sort keys,
// the clipboard's patience and poked text.
#include <atomic>
#include <map>

#include "paths/PathConverter.h"
#include "tests/win32/Support.h"
#include "win32/Clipboard.h"
#include "win32/DevicePath.h"
#include "win32/LongPath.h"
#include "win32/PokedText.h"
#include "win32/SystemMessage.h"

using namespace twinpath::wine;

struct FileSystemTest : ::testing::Test {
    TempTree tree;
    win32::Win32FileSystem fileSystem;
};

TEST_F(FileSystemTest, NamesInAnyScriptAndPathsBeyond260CharactersKeepBothForms) {
    const std::wstring deep = std::wstring(200, L'a') + L"\\" + std::wstring(200, L'b') + L"\\";
    PathConverter converter(fileSystem);
    for (const std::wstring& name :
         {std::wstring(L"Папка с данными\\Файл.txt"), std::wstring(L"日本語\\ファイル名.txt"),
          std::wstring(L"emoji \U0001F600\\smile \U0001F600.txt"), deep + L"Bottom.txt"}) {
        const std::wstring file = tree.add(name);
        const std::wstring alias = systemShortPath(file);
        ASSERT_NE(alias, file);
        converter.setInput(file);
        EXPECT_EQ(converter.longForm(), file);
        EXPECT_EQ(converter.shortForm(), alias);
        converter.setInput(alias);
        EXPECT_EQ(converter.longForm(), file);
    }
}

// Wine does not enforce the 260-character limit: only the forms can be checked.
TEST(LongPathTest, LongPathsGoToTheSystemPrefixedAndComeBackWithout) {
    const std::wstring deep = L"C:\\" + std::wstring(300, L'd');
    const std::wstring share = L"\\\\server\\share\\" + std::wstring(300, L's');
    const std::pair<std::wstring, std::wstring> cases[] = {{L"C:\\short", L"C:\\short"},
                                                           {deep, L"\\\\?\\" + deep},
                                                           {deep + L"\\", L"\\\\?\\" + deep + L"\\"},
                                                           {share, L"\\\\?\\UNC\\" + share.substr(2)},
                                                           {L"\\\\?\\" + deep, L"\\\\?\\" + deep}};
    for (const auto& [typed, api] : cases) {
        EXPECT_EQ(win32::toApiPath(typed), api);
        EXPECT_EQ(win32::fromApiPath(api, typed), typed);
    }
}

TEST_F(FileSystemTest, DevicesAndStreamsAreRefusedWhileRealFilesPass) {
    const std::wstring file = tree.add(L"real.txt");
    const std::wstring device = L"\\\\?\\GLOBALROOT\\Device\\";
    for (const auto& path :
         {std::wstring(L"CON"), std::wstring(L"COM1"), tree.root + L"\\NUL.txt", tree.root + L"\\CON",
          std::wstring(L"\\\\.\\pipe\\x"), std::wstring(L"\\\\?\\pipe\\x"), std::wstring(L"\\\\.\\C:"),
          device + L"NamedPipe\\x", device + L"HarddiskVolume1", file + L":stream", file + L"::$DATA"})
        EXPECT_FALSE(fileSystem.attributes(path)) << path;
    // A snapshot's files are reached through the object namespace: they are files.
    EXPECT_FALSE(win32::namesNoFileOrFolder(device + L"HarddiskVolumeShadowCopy1\\x.txt"));
    for (const auto& path : {file, L"\\\\?\\" + file, L"\\\\.\\" + file, tree.root + L"\\"})
        EXPECT_TRUE(fileSystem.attributes(path)) << path;
}

TEST_F(FileSystemTest, APrefixedFolderEndingInASeparatorIsSearchedWithFullSizes) {
    tree.add(L"big.bin", {}, 5ULL << 30);
    tree.add(L"small.txt", "12345");
    const auto search = fileSystem.search(L"\\\\?\\" + tree.root + L"\\\\*");
    std::map<std::wstring, std::uint64_t> sizes;
    for (FindEntry entry; search->next(entry);) sizes[entry.name] = entry.size;
    EXPECT_EQ(sizes[L"big.bin"], 5ULL << 30);
    EXPECT_EQ(sizes[L"small.txt"], 5u);
    EXPECT_EQ(search->failure(), L"");
    // A folder that is gone cuts the search short with the system's reason, not as an empty folder.
    EXPECT_NE(fileSystem.search(tree.root + L"\\gone\\*")->failure(), L"");
}

TEST_F(FileSystemTest, WhyAPathCannotBeReadIsToldInTheSystemsWords) {
    EXPECT_EQ(fileSystem.whyUnreadable(tree.add(L"a.txt")), L"");
    EXPECT_EQ(fileSystem.whyUnreadable(tree.root + L"\\nosuch.txt"), win32::systemMessage(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(fileSystem.whyUnreadable(tree.root + L"\\no\\such.txt"), win32::systemMessage(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(fileSystem.whyUnreadable(L"NUL"), win32::systemMessage(ERROR_FILE_NOT_FOUND));
}

// Aliases are read in the window's test: a path whose items all have theirs brings no hint.
TEST_F(FileSystemTest, WhatTheVolumeTellsOfShortNamesIsRead) {
    const ShortNameFacts facts = fileSystem.shortNameFacts(tree.add(L"Long Folder\\"));
    EXPECT_EQ(std::tuple(facts.fileSystem, facts.remote, facts.systemVolume), std::tuple(L"NTFS", false, true));
}

TEST(TextServicesTest, CaseMapsLetterForLetterAndSortKeysOrderAsTheComparisonDoes) {
    win32::Win32TextServices text;
    EXPECT_EQ(text.toUpper(L"c:\\straße\\été\\ｆｕｌｌ\\данные"), L"C:\\STRAßE\\ÉTÉ\\ＦＵＬＬ\\ДАННЫЕ");
    EXPECT_EQ(text.toLower(L"C:\\ÉTÉ\\ДАННЫЕ"), L"c:\\été\\данные");
    EXPECT_EQ(text.compareNoCase(L"F a.txt", L"F A.TXT"), 0);
    // Listings sort by the names' keys compared as bytes: they must order as the comparison does.
    const std::wstring lines[] = {L"F a.txt", L"F A.TXT", L"D Sub",  L"F a-b",  L"F ab", L"F a'b", L"F a b",
                                  L"F a10",   L"F a9",    L"F é",    L"F E",    L"F f",  L"F _x",  L"F 1",
                                  L"F Дан",   L"F дан",   L"F 日本", L"F ファ", L"F a",  L"F a."};
    const auto sign = [](int order) { return (order > 0) - (order < 0); };
    for (const auto& a : lines)
        for (const auto& b : lines)
            EXPECT_EQ(sign(text.sortKey(a).compare(text.sortKey(b))), sign(text.compareNoCase(a, b))) << a << " " << b;
}

// Another thread holds the clipboard open for `hold`, as a busy program
// might, while `meanwhile` runs here.
void whileClipboardHeld(std::chrono::milliseconds hold, const std::function<void()>& meanwhile) {
    std::atomic<bool> held = false;
    const std::jthread holder([&] {
        if ((held = ::OpenClipboard(nullptr))) std::this_thread::sleep_for(hold);
        ::CloseClipboard();
    });
    // Opening may first ask the clipboard's owner, a window of this thread: it answers meanwhile.
    ASSERT_TRUE(waitUntil([&] { return held.load(); }, 2s));
    meanwhile();
}

TEST(ClipboardTest, ABriefHolderIsWaitedOutALongOneMakesTheCallFailCleanly) {
    const win32::UniqueWindow owner = plainWindow(0, HWND_MESSAGE);
    whileClipboardHeld(200ms, [&] { EXPECT_TRUE(win32::setClipboardText(owner.get(), L"C:\\after the wait.txt")); });
    whileClipboardHeld(1500ms, [&] { EXPECT_FALSE(win32::setClipboardText(owner.get(), L"C:\\refused.txt")); });
    // The call that gave up left the clipboard closed and as it was.
    EXPECT_EQ(clipboardText(), L"C:\\after the wait.txt");
}

TEST(PokedTextTest, TextFormatsAreReadToTheirFirstNulWithinTheLimit) {
    const std::wstring longest(win32::kMaxPokeChars, L'x');
    // Older clients poke CF_TEXT in their system's ANSI code page: Western (1252) or Japanese (932).
    const std::tuple<UINT, std::string, std::optional<std::wstring>, UINT> cases[] = {
        {CF_UNICODETEXT, bytesOf(std::wstring(L"C:\\日本\0b", 7)), L"C:\\日本", 1252},
        {CF_UNICODETEXT, bytesOf(longest), longest, 1252},
        {CF_UNICODETEXT, bytesOf(longest + L"x"), std::nullopt, 1252},
        {CF_TEXT, std::string("C:\\caf\xe9.txt\0y", 14), L"C:\\café.txt", 1252},
        {CF_TEXT, "C:\\\x93\xfa\x96\x7b", L"C:\\日本", 932},
        {CF_OEMTEXT, "C:\\x.txt", std::nullopt, 1252},
        {CF_HDROP, fileListBytes({L"C:\\x.txt"}), std::nullopt, 1252}};
    for (const auto& [format, bytes, text, codePage] : cases)
        EXPECT_EQ(win32::textFromPoke(format, std::as_bytes(std::span(bytes)), codePage), text) << "format " << format;
}
