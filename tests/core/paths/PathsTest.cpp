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
    PathConverter converter(fs);
    for (const auto& [input, longForm] : std::initializer_list<std::pair<const wchar_t*, const wchar_t*>>{
             {L"c:\\progra~1\\longfo~1\\deepfi~1.tex", L"c:\\Program Files\\Long Folder\\Deep File.text"},
             {L"C:\\PROGRAM FILES\\long folder", L"C:\\Program Files\\Long Folder"},
             {L"\\\\SERVER\\share\\dir\\FILE.TXT", L"\\\\SERVER\\share\\Dir\\File.Txt"},
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

static std::wstring formOf(PathForm form, const std::wstring& path) {
    fakes::FakeFileSystem fs;
    const FormedPath formed = pathInForm(form, path, fs);
    return formed.made() ? formed.text : L"not made: " + formed.whyNot;
}

TEST(PathFormsTest, CmdQuotesForEachCharacterItsHelpNamesAndNoOther) {
    const std::wstring needQuotes = L" %&()[]{}^=;!'+,`~";
    // Every printable ASCII character and its neighbours in code order but the separator and the quote.
    for (wchar_t c = 0x1F; c <= 0x80; ++c) {
        if (c == L'\\' || c == L'"') continue;
        const std::wstring path = std::wstring(L"C:\\a") + c + L"b";
        const bool quoted = needQuotes.find(c) != std::wstring::npos;
        EXPECT_EQ(formOf(PathForm::CommandLine, path), quoted ? L'"' + path + L'"' : path) << int(c);
    }
}

TEST(PathFormsTest, BatchFormDoublesEachPercentSignOfTheCommandLineForm) {
    const struct {
        const wchar_t* path;
        const wchar_t* batch;
    } rows[] = {{.path = L"C:\\a%OS%b", .batch = L"\"C:\\a%%OS%%b\""},
                {.path = L"C:\\%", .batch = L"\"C:\\%%\""},
                {.path = L"C:\\a!b", .batch = L"\"C:\\a!b\""},
                {.path = L"C:\\plain", .batch = L"C:\\plain"}};
    for (const auto& row : rows) EXPECT_EQ(formOf(PathForm::BatchFile, row.path), row.batch);
}

TEST(PathFormsTest, CmdFormOfAPathThatCmdMayExpandCarriesACaution) {
    fakes::FakeFileSystem fs;
    for (const wchar_t* path : {L"C:\\a%b", L"C:\\a!b", L"C:\\a^b"}) {
        const FormedPath formed = pathInForm(PathForm::CommandLine, path, fs);
        EXPECT_EQ(formed.caution.empty(), path[4] == L'^') << testing::PrintToString(path);
        EXPECT_TRUE(formed.made());
    }
}

TEST(PathFormsTest, QuotesCloseBeforeATrailingSeparator) {
    const struct {
        const wchar_t* path;
        const wchar_t* commandLine;
        const wchar_t* quoted;
    } rows[] = {{.path = L"C:\\", .commandLine = L"C:\\", .quoted = L"\"C:\"\\"},
                {.path = L"C:\\Dir With Blank\\",
                 .commandLine = L"\"C:\\Dir With Blank\"\\",
                 .quoted = L"\"C:\\Dir With Blank\"\\"},
                {.path = L"\\\\?\\C:\\x\\dir with blank\\",
                 .commandLine = L"\"\\\\?\\C:\\x\\dir with blank\"\\",
                 .quoted = L"\"\\\\?\\C:\\x\\dir with blank\"\\"},
                {.path = L"\\\\server\\share\\\\",
                 .commandLine = L"\\\\server\\share\\\\",
                 .quoted = L"\"\\\\server\\share\"\\\\"},
                {.path = L"C:\\a b", .commandLine = L"\"C:\\a b\"", .quoted = L"\"C:\\a b\""}};
    for (const auto& row : rows) {
        EXPECT_EQ(formOf(PathForm::CommandLine, row.path), row.commandLine);
        EXPECT_EQ(formOf(PathForm::Quoted, row.path), row.quoted);
    }
}

TEST(PathFormsTest, UriEncodesAllButTheUnreservedSetSlashAndColonInUtf8) {
    const struct {
        std::wstring character;
        const wchar_t* encoded;
    } rows[] = {{.character = L"-", .encoded = L"-"},
                {.character = L".", .encoded = L"."},
                {.character = L"_", .encoded = L"_"},
                {.character = L"~", .encoded = L"~"},
                {.character = L"/", .encoded = L"/"},
                {.character = L":", .encoded = L":"},
                {.character = L"0", .encoded = L"0"},
                {.character = L"9", .encoded = L"9"},
                {.character = L"A", .encoded = L"A"},
                {.character = L"Z", .encoded = L"Z"},
                {.character = L"a", .encoded = L"a"},
                {.character = L"z", .encoded = L"z"},
                {.character = L",", .encoded = L"%2C"},
                {.character = L";", .encoded = L"%3B"},
                {.character = L"@", .encoded = L"%40"},
                {.character = L"[", .encoded = L"%5B"},
                {.character = L"^", .encoded = L"%5E"},
                {.character = L"`", .encoded = L"%60"},
                {.character = L"{", .encoded = L"%7B"},
                {.character = L"}", .encoded = L"%7D"},
                {.character = L"\x7F", .encoded = L"%7F"},
                {.character = L" ", .encoded = L"%20"},
                {.character = L"#", .encoded = L"%23"},
                {.character = L"%", .encoded = L"%25"},
                {.character = L"?", .encoded = L"%3F"},
                {.character = L"\x80", .encoded = L"%C2%80"},
                {.character = L"\x7FF", .encoded = L"%DF%BF"},
                {.character = L"\x800", .encoded = L"%E0%A0%80"},
                {.character = L"\xFFFF", .encoded = L"%EF%BF%BF"},
                {.character = L"\U00010000", .encoded = L"%F0%90%80%80"},
                {.character = L"\U0010FFFF", .encoded = L"%F4%8F%BF%BF"},
                {.character = L"\xD800", .encoded = L"not made: the path holds a character that UTF-8 cannot carry"}};
    for (const auto& row : rows) {
        const std::wstring uri = formOf(PathForm::FileUri, L"C:\\" + row.character);
        EXPECT_EQ(uri.starts_with(L"file:///C:/") ? uri.substr(11) : uri, row.encoded) << int(row.character[0]);
    }
}

TEST(PathFormsTest, SlashAndUriFormsRefuseItemsThatOnlyTheLiteralPrefixKeeps) {
    const std::wstring refused =
        L"not made: an item of the path ends in a period or a blank, which only its \\\\?\\ form keeps";
    const struct {
        const wchar_t* path;
        std::wstring slashes;
        std::wstring uri;
    } rows[] = {{.path = L"\\\\?\\C:\\x.\\f", .slashes = refused, .uri = refused},
                {.path = L"\\\\?\\C:\\x\\f ", .slashes = refused, .uri = refused},
                {.path = L"\\\\?\\UNC\\srv\\share\\x.", .slashes = refused, .uri = refused},
                {.path = L"\\\\?\\C:\\x.y\\ f", .slashes = L"C:/x.y/ f", .uri = L"file:///C:/x.y/%20f"},
                {.path = L"\\\\?\\C:\\", .slashes = L"C:/", .uri = L"file:///C:/"},
                {.path = L"\\\\.\\C:\\x.", .slashes = L"C:/x.", .uri = L"file:///C:/x."},
                {.path = L"C:\\x.", .slashes = L"C:/x.", .uri = L"file:///C:/x."}};
    for (const auto& row : rows) {
        EXPECT_EQ(formOf(PathForm::ForwardSlashes, row.path), row.slashes) << testing::PrintToString(row.path);
        EXPECT_EQ(formOf(PathForm::FileUri, row.path), row.uri) << testing::PrintToString(row.path);
    }
}

TEST(PathFormsTest, FormsThatTheRootDecidesForEachShapeOfPath) {
    fakes::FakeFileSystem fs;
    for (const wchar_t* path :
         {L"C:\\Program Files|PROGRA~1\\", L"\\\\server\\share\\", L"\\\\?\\C:\\Data|DATA~1\\",
          L"\\\\?\\UNC\\srv\\share\\d|D~1\\", L"n:\\docs|DOCS~1\\", L"D:\\", L"\\\\?\\Volume{1}\\dir\\"})
        fs.add(path);
    fs.mappedDrives[L"N:"] = L"\\\\Server\\Share";  // what the network layer answers for N:
    // Empty where a form cannot be made.
    const struct {
        std::wstring path, slashes, wsl{}, uri{}, network{}, name{}, parent{}, shortFolder{};
    } rows[] = {{.path = L"C:\\Program Files\\x",
                 .slashes = L"C:/Program Files/x",
                 .wsl = L"/mnt/c/Program Files/x",
                 .uri = L"file:///C:/Program%20Files/x",
                 .name = L"x",
                 .parent = L"C:\\Program Files",
                 .shortFolder = L"C:\\PROGRA~1\\x"},
                {.path = L"\\\\server\\share\\x",
                 .slashes = L"//server/share/x",
                 .uri = L"file://server/share/x",
                 .name = L"x",
                 .parent = L"\\\\server\\share",
                 .shortFolder = L"\\\\server\\share\\x"},
                {.path = L"\\\\?\\C:\\Data\\x",
                 .slashes = L"C:/Data/x",
                 .wsl = L"/mnt/c/Data/x",
                 .uri = L"file:///C:/Data/x",
                 .name = L"x",
                 .parent = L"\\\\?\\C:\\Data",
                 .shortFolder = L"\\\\?\\C:\\DATA~1\\x"},
                {.path = L"\\\\?\\UNC\\srv\\share\\d\\x",
                 .slashes = L"//srv/share/d/x",
                 .uri = L"file://srv/share/d/x",
                 .name = L"x",
                 .parent = L"\\\\?\\UNC\\srv\\share\\d",
                 .shortFolder = L"\\\\?\\UNC\\srv\\share\\D~1\\x"},
                {.path = L"n:\\docs\\x",
                 .slashes = L"n:/docs/x",
                 .wsl = L"/mnt/n/docs/x",
                 .uri = L"file:///n:/docs/x",
                 .network = L"\\\\Server\\Share\\docs\\x",
                 .name = L"x",
                 .parent = L"n:\\docs",
                 .shortFolder = L"n:\\DOCS~1\\x"},
                // A folder's trailing separator is not part of its name; roots have no name and no parent.
                {.path = L"D:\\app.exe\\",
                 .slashes = L"D:/app.exe/",
                 .wsl = L"/mnt/d/app.exe/",
                 .uri = L"file:///D:/app.exe/",
                 .name = L"app.exe",
                 .parent = L"D:\\",
                 .shortFolder = L"D:\\app.exe"},
                {.path = L"C:\\", .slashes = L"C:/", .wsl = L"/mnt/c/", .uri = L"file:///C:/"},
                {.path = L"\\\\server\\share\\", .slashes = L"//server/share/", .uri = L"file://server/share/"},
                {.path = L"\\\\?\\Volume{1}\\dir\\x",
                 .slashes = L"//?/Volume{1}/dir/x",
                 .name = L"x",
                 .parent = L"\\\\?\\Volume{1}\\dir",
                 .shortFolder = L"\\\\?\\Volume{1}\\dir\\x"},
                {.path = L"Nothing was copied", .slashes = L""}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.path));
        const std::pair<PathForm, std::wstring> forms[] = {{PathForm::ForwardSlashes, row.slashes},
                                                           {PathForm::Wsl, row.wsl},
                                                           {PathForm::FileUri, row.uri},
                                                           {PathForm::Network, row.network},
                                                           {PathForm::Name, row.name},
                                                           {PathForm::Parent, row.parent},
                                                           {PathForm::ShortFolderLongName, row.shortFolder}};
        for (const auto& [form, text] : forms) {
            const FormedPath formed = pathInForm(form, row.path, fs);
            EXPECT_EQ(formed.text, text) << "form " << static_cast<int>(form);
            EXPECT_EQ(formed.made(), !text.empty()) << "form " << static_cast<int>(form);
        }
    }
    // A text without a root has no form of its own, quoted or not.
    EXPECT_FALSE(pathInForm(PathForm::Quoted, L"Nothing was copied", fs).made());
}

TEST(PathFormsTest, ACharacterBeyondTheBasicMultilingualPlaneComesThroughEveryForm) {
    fakes::FakeFileSystem fs;
    const std::wstring smile = L"\U0001F600", path = L"C:\\Program Files\\" + smile + L" x\\" + smile;
    fs.add(L"C:\\Program Files|PROGRA~1\\" + smile + L" x\\" + smile);
    fs.mappedDrives[L"C:"] = L"\\\\server\\share";
    const struct {
        PathForm form;
        std::wstring text;
    } rows[] = {{.form = PathForm::CommandLine, .text = L'"' + path + L'"'},
                {.form = PathForm::BatchFile, .text = L'"' + path + L'"'},
                {.form = PathForm::Quoted, .text = L'"' + path + L'"'},
                {.form = PathForm::ForwardSlashes, .text = L"C:/Program Files/" + smile + L" x/" + smile},
                {.form = PathForm::Wsl, .text = L"/mnt/c/Program Files/" + smile + L" x/" + smile},
                {.form = PathForm::FileUri, .text = L"file:///C:/Program%20Files/%F0%9F%98%80%20x/%F0%9F%98%80"},
                {.form = PathForm::Network, .text = L"\\\\server\\share\\Program Files\\" + smile + L" x\\" + smile},
                {.form = PathForm::Name, .text = smile},
                {.form = PathForm::Parent, .text = L"C:\\Program Files\\" + smile + L" x"},
                {.form = PathForm::ShortFolderLongName, .text = L"C:\\PROGRA~1\\" + smile + L" x\\" + smile}};
    for (const auto& row : rows)
        EXPECT_EQ(pathInForm(row.form, path, fs).text, row.text) << "form " << static_cast<int>(row.form);
}

TEST(PathFormsTest, ShortFolderThatTheSystemCannotMakeIsNotMade) {
    fakes::FakeFileSystem fs;
    fs.add(L"C:\\Data\\a.txt");
    fs.shortPathFailure = L"The network path was not found.";
    EXPECT_EQ(pathInForm(PathForm::ShortFolderLongName, L"C:\\Data\\a.txt", fs).whyNot,
              L"the short form of the parent folder cannot be read");
}
