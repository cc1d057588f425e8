#include <gtest/gtest.h>

#include "fakes/Fakes.h"
#include "paths/CommandLine.h"
#include "paths/PathConverter.h"
#include "paths/PathForms.h"
#include "paths/PathShape.h"

using namespace twinpath;

TEST(PathShapeTest, KindAndRootOfEachShapeOfPath) {
    constexpr auto npos = std::wstring::npos;
    using enum PathShape::Kind;
    // "<" stops at the top; the root is kept as typed, never a level.
    const struct {
        const wchar_t* path;
        PathShape::Kind kind;
        std::size_t prefix = 0, root = 0, top = npos;
    } rows[] = {{.path = L"C:\\a\\b", .kind = Drive, .root = 3, .top = 3},
                {.path = L"z:\\", .kind = Drive, .root = 3, .top = 3},
                {.path = L"C:", .kind = DriveRelative},
                {.path = L"C:x\\y", .kind = DriveRelative},
                {.path = L"x\\y", .kind = Relative},
                {.path = L"\\x", .kind = Relative},
                {.path = L"\\\\srv\\share\\dir", .kind = Unc, .root = 12, .top = 6},
                {.path = L"\\\\srv\\share", .kind = Unc, .root = 11, .top = 6},
                {.path = L"\\\\srv", .kind = NoShare},
                {.path = L"\\\\srv\\", .kind = NoShare},
                {.path = L"\\\\srv\\\\x", .kind = NoShare},
                {.path = L"\\\\\\a\\b", .kind = NoShare},
                {.path = L"\\\\?\\C:\\a", .kind = PrefixedDrive, .prefix = 4, .root = 7, .top = 7},
                {.path = L"\\??\\C:\\x", .kind = PrefixedDrive, .prefix = 4, .root = 7, .top = 7},
                {.path = L"\\\\?\\UNC\\srv\\share\\d", .kind = PrefixedUnc, .prefix = 8, .root = 18, .top = 12},
                {.path = L"\\\\.\\unc\\srv", .kind = NoShare, .prefix = 8},
                {.path = L"\\\\.\\Volume{1}\\a", .kind = Volume, .prefix = 4, .root = 14, .top = 14},
                {.path = L"\\\\?\\Volume{1", .kind = Object, .prefix = 4, .root = 12},
                {.path = L"\\\\?\\GLOBALROOT\\Device\\x", .kind = Object, .prefix = 4, .root = 15, .top = 15}};
    for (const auto& row : rows) {
        const PathShape shape = shapeOf(row.path);
        EXPECT_EQ(std::tuple(shape.kind, shape.prefixLength, shape.rootLength, shape.topLength),
                  std::tuple(row.kind, row.prefix, row.root, row.top))
            << testing::PrintToString(row.path);
    }
}

TEST(PathShapeTest, OnlyRelativeAndDriveRelativePathsNeedACurrentFolder) {
    for (const wchar_t* path : {L"x\\y", L"\\x", L"C:", L"C:x"}) EXPECT_FALSE(isFullPath(path)) << path;
    for (const wchar_t* path : {L"C:\\", L"\\\\srv", L"\\\\?\\C:\\x"}) EXPECT_TRUE(isFullPath(path)) << path;
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
                {.path = L"C:\\\U0001F600", .batch = L"C:\\\U0001F600"}};
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
    } rows[] = {
        {.path = L"C:\\", .commandLine = L"C:\\", .quoted = L"\"C:\"\\"},
        {.path = L"C:\\Dir With Blank\\",
         .commandLine = L"\"C:\\Dir With Blank\"\\",
         .quoted = L"\"C:\\Dir With Blank\"\\"},
        {.path = L"\\\\?\\C:\\x\\dir with blank\\",
         .commandLine = L"\"\\\\?\\C:\\x\\dir with blank\"\\",
         .quoted = L"\"\\\\?\\C:\\x\\dir with blank\"\\"},
        {.path = L"\\\\server\\share\\\\",
         .commandLine = L"\\\\server\\share\\\\",
         .quoted = L"\"\\\\server\\share\"\\\\"},
        {.path = L"C:\\a b\U0001F600", .commandLine = L"\"C:\\a b\U0001F600\"", .quoted = L"\"C:\\a b\U0001F600\""}};
    for (const auto& row : rows) {
        EXPECT_EQ(formOf(PathForm::CommandLine, row.path), row.commandLine);
        EXPECT_EQ(formOf(PathForm::Quoted, row.path), row.quoted);
    }
}

TEST(PathFormsTest, UriKeepsTheUnreservedSetSlashAndColonAndEncodesTheRestInUtf8) {
    for (const wchar_t kept : std::wstring(L"-._~/:09AZaz"))
        EXPECT_EQ(formOf(PathForm::FileUri, std::wstring(L"C:\\") + kept), std::wstring(L"file:///C:/") + kept);
    // The neighbours of the kept ranges in code order, and the edges of UTF-8's lengths.
    const struct {
        const wchar_t* in;
        const wchar_t* out;
    } rows[] = {{.in = L",", .out = L"%2C"},
                {.in = L";", .out = L"%3B"},
                {.in = L"@", .out = L"%40"},
                {.in = L"[", .out = L"%5B"},
                {.in = L"^", .out = L"%5E"},
                {.in = L"`", .out = L"%60"},
                {.in = L"{", .out = L"%7B"},
                {.in = L"}", .out = L"%7D"},
                {.in = L"\x7F", .out = L"%7F"},
                {.in = L" ", .out = L"%20"},
                {.in = L"#", .out = L"%23"},
                {.in = L"%", .out = L"%25"},
                {.in = L"?", .out = L"%3F"},
                {.in = L"\x80", .out = L"%C2%80"},
                {.in = L"\x7FF", .out = L"%DF%BF"},
                {.in = L"\x800", .out = L"%E0%A0%80"},
                {.in = L"\xFFFF", .out = L"%EF%BF%BF"},
                {.in = L"\U00010000", .out = L"%F0%90%80%80"},
                {.in = L"\U0010FFFF", .out = L"%F4%8F%BF%BF"}};
    for (const auto& row : rows)
        EXPECT_EQ(formOf(PathForm::FileUri, std::wstring(L"C:\\") + row.in), L"file:///C:/" + std::wstring(row.out));
    // A lone surrogate has no UTF-8 form.
    EXPECT_EQ(formOf(PathForm::FileUri, L"C:\\\xD800"),
              L"not made: the path holds a character that UTF-8 cannot carry");
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
    for (const wchar_t* path : {L"C:\\P f|PF~1\\", L"\\\\s\\h\\", L"\\\\?\\C:\\D|D~1\\", L"\\\\?\\UNC\\s\\h\\d|D~1\\",
                                L"n:\\d|D~1\\", L"D:\\", L"\\\\?\\Volume{1}\\d\\"})
        fs.add(path);
    fs.mappedDrives[L"N:"] = L"\\\\S\\H";  // what the network layer answers for N:
    const std::wstring x = L"\U0001F600";  // beyond the Basic Multilingual Plane
    const std::wstring ux = L"%F0%9F%98%80";
    // Empty where a form cannot be made.
    const struct {
        std::wstring path, slashes, wsl{}, uri{}, network{}, name{}, parent{}, shortFolder{};
    } rows[] = {{.path = L"C:\\P f\\" + x,
                 .slashes = L"C:/P f/" + x,
                 .wsl = L"/mnt/c/P f/" + x,
                 .uri = L"file:///C:/P%20f/" + ux,
                 .name = x,
                 .parent = L"C:\\P f",
                 .shortFolder = L"C:\\PF~1\\" + x},
                {.path = L"\\\\s\\h\\" + x,
                 .slashes = L"//s/h/" + x,
                 .uri = L"file://s/h/" + ux,
                 .name = x,
                 .parent = L"\\\\s\\h",
                 .shortFolder = L"\\\\s\\h\\" + x},
                {.path = L"\\\\?\\C:\\D\\" + x,
                 .slashes = L"C:/D/" + x,
                 .wsl = L"/mnt/c/D/" + x,
                 .uri = L"file:///C:/D/" + ux,
                 .name = x,
                 .parent = L"\\\\?\\C:\\D",
                 .shortFolder = L"\\\\?\\C:\\D~1\\" + x},
                {.path = L"\\\\?\\UNC\\s\\h\\d\\" + x,
                 .slashes = L"//s/h/d/" + x,
                 .uri = L"file://s/h/d/" + ux,
                 .name = x,
                 .parent = L"\\\\?\\UNC\\s\\h\\d",
                 .shortFolder = L"\\\\?\\UNC\\s\\h\\D~1\\" + x},
                {.path = L"n:\\d\\" + x,
                 .slashes = L"n:/d/" + x,
                 .wsl = L"/mnt/n/d/" + x,
                 .uri = L"file:///n:/d/" + ux,
                 .network = L"\\\\S\\H\\d\\" + x,
                 .name = x,
                 .parent = L"n:\\d",
                 .shortFolder = L"n:\\D~1\\" + x},
                // A folder's trailing separator is not part of its name; roots have no name and no parent.
                {.path = L"D:\\a.b\\",
                 .slashes = L"D:/a.b/",
                 .wsl = L"/mnt/d/a.b/",
                 .uri = L"file:///D:/a.b/",
                 .name = L"a.b",
                 .parent = L"D:\\",
                 .shortFolder = L"D:\\a.b"},
                {.path = L"C:\\", .slashes = L"C:/", .wsl = L"/mnt/c/", .uri = L"file:///C:/"},
                {.path = L"\\\\s\\h\\", .slashes = L"//s/h/", .uri = L"file://s/h/"},
                {.path = L"\\\\?\\Volume{1}\\d\\" + x,
                 .slashes = L"//?/Volume{1}/d/" + x,
                 .name = x,
                 .parent = L"\\\\?\\Volume{1}\\d",
                 .shortFolder = L"\\\\?\\Volume{1}\\d\\" + x},
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

TEST(PathFormsTest, ShortFolderThatTheSystemCannotMakeIsNotMade) {
    fakes::FakeFileSystem fs;
    fs.add(L"C:\\Data\\a.txt");
    fs.shortPathFailure = L"The network path was not found.";
    EXPECT_EQ(pathInForm(PathForm::ShortFolderLongName, L"C:\\Data\\a.txt", fs).whyNot,
              L"the short form of the parent folder cannot be read");
}
