#include <gtest/gtest.h>

#include "fakes/Fakes.h"
#include "paths/CommandLine.h"
#include "paths/PathConverter.h"
#include "paths/PathForms.h"
#include "paths/PathHead.h"

using namespace twinpath;

TEST(PathHeadTest, ShapesOfPaths) {
    constexpr auto npos = std::wstring::npos;
    using enum PrefixedRoot::Kind;
    using Row =
        std::tuple<const wchar_t*, std::size_t, bool, std::size_t, std::size_t, PrefixedRoot::Kind, std::size_t>;
    const Row rows[] = {{L"C:\\a\\b", 3, true, 3, 3, None, 0},
                        {L"z:\\", 3, true, 3, 3, None, 0},
                        {L"C:", 0, false, npos, 0, None, 0},
                        {L"C:x\\y", 0, false, npos, 4, None, 0},
                        {L"x\\y", 0, false, npos, 2, None, 0},
                        {L"\\\\srv\\share\\dir", 12, true, 6, 12, None, 0},
                        {L"\\\\srv\\share", 11, true, 6, 11, None, 0},
                        {L"\\\\srv", 0, true, npos, 5, None, 0},
                        {L"\\\\srv\\\\x", 0, true, 6, 7, None, 0},
                        {L"\\\\\\a\\b", 0, true, 3, 5, None, 0},
                        {L"\\\\?\\C:\\a", 7, true, 7, 7, Drive, 6},
                        {L"\\\\?\\UNC\\srv\\share\\d", 8, true, 12, 8, Unc, 8},
                        {L"\\\\.\\unc\\srv", 8, true, npos, 8, Unc, 8},
                        {L"\\\\.\\Volume{1}\\a", 14, true, 14, 14, Volume, 13},
                        {L"\\\\?\\Volume{1", 12, true, npos, 12, Other, 4},
                        {L"\\??\\C:\\x", 0, false, npos, 1, Drive, 6}};
    // A head of length 0 is none; "<" stops at the level top; a listing's walk at its root.
    for (const auto& [path, head, full, levelTop, listingRoot, prefix, prefixLength] : rows) {
        SCOPED_TRACE(testing::PrintToString(path));
        const PathHead split = splitHead(path);
        EXPECT_EQ(split.kind == PathHead::Kind::None ? 0 : split.length, head);
        EXPECT_EQ(split.kind == PathHead::Kind::Unc, path[0] == L'\\' && head > 0);
        EXPECT_EQ(isFullPath(path), full);
        EXPECT_EQ(levelTopLength(path), levelTop);
        EXPECT_EQ(listingRootLength(path), listingRoot);
        EXPECT_EQ(splitPrefixedRoot(path).kind, prefix);
        EXPECT_EQ(splitPrefixedRoot(path).length, prefixLength);
    }
}

TEST(PathConverterTest, LongFormKeepsTheTypedHeadAndTakesStoredNamesBelow) {
    fakes::FakeFileSystem fs;
    fs.add(L"C:\\Program Files|PROGRA~1\\Long Folder|LONGFO~1\\Deep File.text|DEEPFI~1.TEX");
    fs.add(L"C:\\Data\\Sub\\");
    fs.add(L"C:\\Data\\A?C");  // the fake takes any name: a lookup would find this one
    fs.add(L"\\\\Server\\Share\\Dir\\File.Txt");
    fs.add(L"C:\\Smile \U0001F600|SMILE~1\\");  // a character beyond the BMP: two units in UTF-16
    PathConverter converter(fs);
    for (const auto& [input, longForm] : std::initializer_list<std::pair<const wchar_t*, const wchar_t*>>{
             {L"c:\\progra~1\\longfo~1\\deepfi~1.tex", L"c:\\Program Files\\Long Folder\\Deep File.text"},
             {L"C:\\PROGRAM FILES\\long folder", L"C:\\Program Files\\Long Folder"},
             {L"\\\\SERVER\\share\\dir\\FILE.TXT", L"\\\\SERVER\\share\\Dir\\File.Txt"},
             {L"c:\\smile~1\\", L"c:\\Smile \U0001F600\\"},
             {L"c:\\", L"c:\\"},
             {L"\\\\server\\SHARE", L"\\\\server\\SHARE"},
             // Empty items, "." and ".." and wildcards name no entry of their own.
             {L"c:\\data\\\\sub\\", L"c:\\Data\\\\Sub\\"},
             {L"c:\\data\\.\\sub\\..\\sub", L"c:\\Data\\.\\Sub\\..\\Sub"},
             {L"c:\\data\\a?c", L"c:\\Data\\a?c"},
             // "C:" is the drive's current folder: it exists but has no head to keep.
             {L"C:", L""},
             {L"C:\\Data\\missing", L""}}) {
        converter.setInput(input);
        EXPECT_EQ(converter.longForm(), longForm) << testing::PrintToString(input);
    }
}

TEST(CommandLineTest, ArgumentsAndTheInputPathInThem) {
    using Row = std::tuple<std::wstring (*)(const std::wstring&), const wchar_t*, const wchar_t*>;
    for (const auto& [read, text, result] : std::initializer_list<Row>{
             {argumentsOf, L"twinpath.exe C:\\a b", L"C:\\a b"},
             {argumentsOf, L"\"C:\\Program Files\\twinpath.exe\" \t \"C:\\x y\"", L"\"C:\\x y\""},
             {argumentsOf, L"\"C:\\Program Files\\twinpath.exe\"C:\\x", L"C:\\x"},
             {argumentsOf, L"\"unterminated name", L""},
             // Shells quote a path with blanks; "Send To" passes several quoted paths.
             {inputPathOf, L" \t\"C:\\a b\" \"C:\\second\"", L"C:\\a b"},
             {inputPathOf, L"\"C:\\unterminated", L"C:\\unterminated"},
             {inputPathOf, L"\"\"", L""},
             {inputPathOf, L"  C:\\a b\\c.txt", L"C:\\a b\\c.txt"},
             {inputPathOf, L"C:\\a\"b", L"C:\\a\"b"}})
        EXPECT_EQ(read(text), result) << testing::PrintToString(text);
}

TEST(PathFormsTest, EveryFormOfEachShapeOfPath) {
    fakes::FakeFileSystem fs;
    for (const wchar_t* path : {L"C:\\Program Files|PROGRA~1\\", L"\\\\server\\share\\", L"\\\\?\\C:\\Data|DATA~1\\",
                                L"n:\\docs|DOCS~1\\", L"D:\\", L"\\\\?\\Volume{1}\\dir\\"})
        fs.add(path);
    fs.mappedDrives[L"N:"] = L"\\\\Server\\Share";  // what the network layer answers for N:
    const std::wstring mixed = L"\u00dcn\u00efcode \u65e5\u672c\U0001F600";
    // The forms from CommandLine to ShortFolderLongName; empty where a form cannot be made.
    using Row = std::pair<std::wstring, std::array<std::wstring, 9>>;
    const Row rows[] = {
        {L"C:\\Program Files\\" + mixed,
         {L"\"C:\\Program Files\\" + mixed + L"\"", L"\"C:\\Program Files\\" + mixed + L"\"",
          L"C:/Program Files/" + mixed, L"/mnt/c/Program Files/" + mixed,
          L"file:///C:/Program%20Files/%C3%9Cn%C3%AFcode%20%E6%97%A5%E6%9C%AC%F0%9F%98%80", L"", mixed,
          L"C:\\Program Files", L"C:\\PROGRA~1\\" + mixed}},
        {L"\\\\server\\share\\a#b%c",
         {L"\"\\\\server\\share\\a#b%c\"", L"\"\\\\server\\share\\a#b%c\"", L"//server/share/a#b%c", L"",
          L"file://server/share/a%23b%25c", L"", L"a#b%c", L"\\\\server\\share", L"\\\\server\\share\\a#b%c"}},
        {L"\\\\?\\C:\\Data\\x&y",
         {L"\"\\\\?\\C:\\Data\\x&y\"", L"\"\\\\?\\C:\\Data\\x&y\"", L"C:/Data/x&y", L"/mnt/c/Data/x&y",
          L"file:///C:/Data/x%26y", L"", L"x&y", L"\\\\?\\C:\\Data", L"\\\\?\\C:\\DATA~1\\x&y"}},
        // A short form in small letters on a mapped drive: the tilde asks for quotes.
        {L"n:\\docs\\r~1.txt",
         {L"\"n:\\docs\\r~1.txt\"", L"\"n:\\docs\\r~1.txt\"", L"n:/docs/r~1.txt", L"/mnt/n/docs/r~1.txt",
          L"file:///n:/docs/r~1.txt", L"\\\\Server\\Share\\docs\\r~1.txt", L"r~1.txt", L"n:\\docs",
          L"n:\\DOCS~1\\r~1.txt"}},
        {L"D:\\app.exe\\",
         {L"D:\\app.exe\\", L"\"D:\\app.exe\\\\\"", L"D:/app.exe/", L"/mnt/d/app.exe/", L"file:///D:/app.exe/", L"",
          L"app.exe", L"D:\\", L"D:\\app.exe"}},
        // Roots have no name and no parent; a trailing separator stays itself inside quotes.
        {L"C:\\", {L"C:\\", L"\"C:\\\\\"", L"C:/", L"/mnt/c/", L"file:///C:/", L"", L"", L"", L""}},
        {L"\\\\server\\share\\",
         {L"\\\\server\\share\\", L"\"\\\\server\\share\\\\\"", L"//server/share/", L"", L"file://server/share/", L"",
          L"", L"", L""}},
        {L"\\\\?\\Volume{1}\\dir\\f",
         {L"\"\\\\?\\Volume{1}\\dir\\f\"", L"\"\\\\?\\Volume{1}\\dir\\f\"", L"//?/Volume{1}/dir/f", L"", L"", L"", L"f",
          L"\\\\?\\Volume{1}\\dir", L"\\\\?\\Volume{1}\\dir\\f"}},
        {L"Nothing was copied", {L"", L"", L"", L"", L"", L"", L"", L"", L""}}};
    for (const auto& [path, forms] : rows)
        for (std::size_t i = 0; i < forms.size(); ++i) {
            const FormedPath formed = pathInForm(static_cast<PathForm>(i + 1), path, fs);
            EXPECT_EQ(formed.text, forms[i]) << testing::PrintToString(path) << " form " << i + 1;
            EXPECT_EQ(formed.made(), !forms[i].empty()) << testing::PrintToString(path) << " form " << i + 1;
        }
    // A lone surrogate has no UTF-8 form, nor has a 32-bit unit beyond U+10FFFF (or a negative one).
    EXPECT_FALSE(pathInForm(PathForm::FileUri, L"C:\\x\xD800", fs).made());
    if constexpr (sizeof(wchar_t) == 4) {
        for (const auto unit : {0x110000, -1})
            EXPECT_FALSE(pathInForm(PathForm::FileUri, L"C:\\x" + std::wstring(1, wchar_t(unit)), fs).made()) << unit;
    }
}
