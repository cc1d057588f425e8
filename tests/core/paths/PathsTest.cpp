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
                {.path = L"x\\y", .kind = Relative},
                {.path = L"\\\\srv\\share\\dir", .kind = Unc, .root = 12, .top = 6},
                {.path = L"\\\\srv\\share", .kind = Unc, .root = 11, .top = 6},
                {.path = L"\\\\srv", .kind = NoShare},
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

TEST(PathConverterTest, LongFormKeepsTheTypedHeadAndTakesStoredNamesBelow) {
    fakes::FakeFileSystem fs;
    fs.add(L"C:\\Program Files|PROGRA~1\\Long Folder|LONGFO~1\\Deep File.text|DEEPFI~1.TEX");
    fs.add(L"C:\\Data\\Sub\\");
    fs.add(L"C:\\Data\\A?C");  // the fake takes any name: a lookup would find this one
    fs.add(L"\\\\Server\\Share\\Dir\\File.Txt");
    fs.add(L"C:\\Smile \U0001F600|SMILE~1\\");  // a character beyond the BMP: two units in UTF-16
    fs.add(L"C:\\Data\\Locked\\Inner.txt");
    fs.unreadable[L"c:\\data\\locked"] = L"Access is denied.";
    PathConverter converter(fs);
    const struct {
        const wchar_t *input, *longForm;
    } rows[] = {{.input = L"c:\\progra~1\\longfo~1\\deepfi~1.tex",
                 .longForm = L"c:\\Program Files\\Long Folder\\Deep File.text"},
                {.input = L"C:\\PROGRAM FILES\\long folder", .longForm = L"C:\\Program Files\\Long Folder"},
                {.input = L"\\\\SERVER\\share\\dir\\FILE.TXT", .longForm = L"\\\\SERVER\\share\\Dir\\File.Txt"},
                {.input = L"c:\\smile~1\\", .longForm = L"c:\\Smile \U0001F600\\"},
                {.input = L"c:\\", .longForm = L"c:\\"},
                {.input = L"\\\\server\\SHARE", .longForm = L"\\\\server\\SHARE"},
                // Empty items, "." and ".." and wildcards name no entry of their own.
                {.input = L"c:\\data\\\\sub\\", .longForm = L"c:\\Data\\\\Sub\\"},
                {.input = L"c:\\data\\.\\sub\\..\\sub", .longForm = L"c:\\Data\\.\\Sub\\..\\Sub"},
                {.input = L"c:\\data\\a?c", .longForm = L"c:\\Data\\a?c"},
                // "C:" is the drive's current folder: it exists but has no head to keep.
                {.input = L"C:", .longForm = L""},
                {.input = L"C:\\Data\\missing", .longForm = L""},
                // A level that cannot be read keeps its typed name; the levels below it are still looked up.
                {.input = L"c:\\data\\locked\\inner.txt", .longForm = L"c:\\Data\\locked\\Inner.txt"}};
    for (const auto& row : rows) {
        converter.setInput(row.input);
        EXPECT_EQ(converter.longForm(), row.longForm) << testing::PrintToString(row.input);
    }
}

TEST(CommandLineTest, TheArgumentsFollowTheProgramsName) {
    const struct {
        const wchar_t *text, *result;
    } rows[] = {{.text = L"twinpath.exe C:\\a b", .result = L"C:\\a b"},
                {.text = L"\"C:\\Program Files\\twinpath.exe\" \t \"C:\\x y\"", .result = L"\"C:\\x y\""},
                {.text = L"\"C:\\Program Files\\twinpath.exe\"C:\\x", .result = L"C:\\x"},
                {.text = L"\"unterminated name", .result = L""}};
    for (const auto& row : rows) EXPECT_EQ(argumentsOf(row.text), row.result) << testing::PrintToString(row.text);
}

// A character beyond the Basic Multilingual Plane comes through each form as itself.
#define SMILE L"\U0001F600"

// A path in a form, on one disk of paths of each shape: an item below a folder with an alias, and roots.
static FormedPath formed(PathForm form, const std::wstring& path) {
    static fakes::FakeFileSystem fs = [] {
        fakes::FakeFileSystem disk;
        for (const wchar_t* item : {L"C:\\P f|PF~1\\", L"\\\\s\\h\\", L"\\\\?\\C:\\D|D~1\\", L"n:\\d|D~1\\", L"D:\\"})
            disk.add(item);
        return disk;
    }();
    return pathInForm(form, path, fs);
}

// The form's text, empty where it cannot be made.
static std::wstring formOf(PathForm form, const std::wstring& path) {
    const FormedPath made = formed(form, path);
    return made.made() ? made.text : L"";
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

TEST(PathFormsTest, WhatCmdMayExpandIsDoubledForABatchFileAndCautionedOnTheCommandLine) {
    const struct {
        const wchar_t *path, *batch;
        bool caution;
    } rows[] = {{.path = L"C:\\a%OS%b", .batch = L"\"C:\\a%%OS%%b\"", .caution = true},
                {.path = L"C:\\%", .batch = L"\"C:\\%%\"", .caution = true},
                {.path = L"C:\\a!b", .batch = L"\"C:\\a!b\"", .caution = true},
                {.path = L"C:\\a^b", .batch = L"\"C:\\a^b\"", .caution = false},
                {.path = L"C:\\" SMILE, .batch = L"C:\\" SMILE, .caution = false}};
    for (const auto& row : rows) {
        EXPECT_EQ(formed(PathForm::BatchFile, row.path).text, row.batch);
        EXPECT_EQ(formed(PathForm::CommandLine, row.path).caution.empty(), !row.caution) << row.path;
    }
}

TEST(PathFormsTest, QuotesCloseBeforeATrailingSeparator) {
    const struct {
        const wchar_t *path, *commandLine, *quoted;
    } rows[] = {{.path = L"C:\\", .commandLine = L"C:\\", .quoted = L"\"C:\"\\"},
                {.path = L"C:\\a b\\", .commandLine = L"\"C:\\a b\"\\", .quoted = L"\"C:\\a b\"\\"},
                {.path = L"\\\\s\\h\\\\", .commandLine = L"\\\\s\\h\\\\", .quoted = L"\"\\\\s\\h\"\\\\"}};
    for (const auto& row : rows) {
        EXPECT_EQ(formOf(PathForm::CommandLine, row.path), row.commandLine);
        EXPECT_EQ(formOf(PathForm::Quoted, row.path), row.quoted);
    }
}

TEST(PathFormsTest, UriKeepsTheUnreservedSetSlashAndColonAndEncodesTheRestInUtf8) {
    const std::wstring kept = L"-._~/:0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    // Every ASCII character and its neighbours in code order but the separator.
    for (wchar_t c = 0x1F; c <= 0x7F; ++c) {
        if (c == L'\\') continue;
        wchar_t encoded[4];
        std::swprintf(encoded, 4, L"%%%02X", unsigned(c));
        EXPECT_EQ(formOf(PathForm::FileUri, std::wstring(L"C:\\") + c),
                  L"file:///C:/" + (kept.find(c) != std::wstring::npos ? std::wstring(1, c) : encoded))
            << int(c);
    }
    // The edges of UTF-8's lengths.
    const struct {
        const wchar_t *in, *out;
    } rows[] = {{.in = L"\x80", .out = L"%C2%80"},
                {.in = L"\x7FF", .out = L"%DF%BF"},
                {.in = L"\x800", .out = L"%E0%A0%80"},
                {.in = L"\xFFFF", .out = L"%EF%BF%BF"},
                {.in = L"\U00010000", .out = L"%F0%90%80%80"},
                {.in = L"\U0010FFFF", .out = L"%F4%8F%BF%BF"}};
    for (const auto& row : rows)
        EXPECT_EQ(formOf(PathForm::FileUri, std::wstring(L"C:\\") + row.in), L"file:///C:/" + std::wstring(row.out));
    // A lone surrogate has no UTF-8 form.
    EXPECT_EQ(formed(PathForm::FileUri, L"C:\\\xD800").whyNot, L"the path holds a character that UTF-8 cannot carry");
}

TEST(PathFormsTest, SlashAndUriFormsRefuseItemsThatOnlyTheLiteralPrefixKeeps) {
    EXPECT_EQ(formed(PathForm::FileUri, L"\\\\?\\C:\\x.").whyNot,
              L"an item of the path ends in a period or a blank, which only its \\\\?\\ form keeps");
    const struct {
        std::wstring path, slashes, uri;
    } rows[] = {{.path = L"\\\\?\\C:\\x.\\f", .slashes = L"", .uri = L""},
                {.path = L"\\\\?\\C:\\x\\f ", .slashes = L"", .uri = L""},
                {.path = L"\\\\?\\C:\\x.y\\ f", .slashes = L"C:/x.y/ f", .uri = L"file:///C:/x.y/%20f"},
                {.path = L"\\\\.\\C:\\x.", .slashes = L"C:/x.", .uri = L"file:///C:/x."},
                {.path = L"C:\\x.", .slashes = L"C:/x.", .uri = L"file:///C:/x."}};
    for (const auto& row : rows) {
        EXPECT_EQ(formOf(PathForm::ForwardSlashes, row.path), row.slashes) << testing::PrintToString(row.path);
        EXPECT_EQ(formOf(PathForm::FileUri, row.path), row.uri) << testing::PrintToString(row.path);
    }
}

TEST(PathFormsTest, SlashWslAndUriFormsOfEachRoot) {
    const struct {
        const wchar_t *path, *slashes, *wsl, *uri;
    } rows[] = {
        {.path = L"C:\\P f\\x", .slashes = L"C:/P f/x", .wsl = L"/mnt/c/P f/x", .uri = L"file:///C:/P%20f/x"},
        {.path = L"n:\\d\\x", .slashes = L"n:/d/x", .wsl = L"/mnt/n/d/x", .uri = L"file:///n:/d/x"},
        {.path = L"\\\\s\\h\\" SMILE, .slashes = L"//s/h/" SMILE, .wsl = L"", .uri = L"file://s/h/%F0%9F%98%80"},
        {.path = L"\\\\?\\C:\\D\\x", .slashes = L"C:/D/x", .wsl = L"/mnt/c/D/x", .uri = L"file:///C:/D/x"},
        {.path = L"C:\\", .slashes = L"C:/", .wsl = L"/mnt/c/", .uri = L"file:///C:/"},
        {.path = L"\\\\s\\h\\", .slashes = L"//s/h/", .wsl = L"", .uri = L"file://s/h/"},
        {.path = L"Nothing was copied", .slashes = L"", .wsl = L"", .uri = L""}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.path));
        EXPECT_EQ(formOf(PathForm::ForwardSlashes, row.path), row.slashes);
        EXPECT_EQ(formOf(PathForm::Wsl, row.path), row.wsl);
        EXPECT_EQ(formOf(PathForm::FileUri, row.path), row.uri);
    }
}

TEST(PathFormsTest, NameParentAndShortFolderOfEachRoot) {
    const struct {
        const wchar_t *path, *name, *parent, *shortFolder;
    } rows[] = {
        {.path = L"C:\\P f\\" SMILE, .name = SMILE, .parent = L"C:\\P f", .shortFolder = L"C:\\PF~1\\" SMILE},
        {.path = L"\\\\s\\h\\x", .name = L"x", .parent = L"\\\\s\\h", .shortFolder = L"\\\\s\\h\\x"},
        {.path = L"\\\\?\\C:\\D\\x", .name = L"x", .parent = L"\\\\?\\C:\\D", .shortFolder = L"\\\\?\\C:\\D~1\\x"},
        // A folder's trailing separator is not part of its name; roots have no name and no parent.
        {.path = L"D:\\a.b\\", .name = L"a.b", .parent = L"D:\\", .shortFolder = L"D:\\a.b"},
        {.path = L"C:\\", .name = L"", .parent = L"", .shortFolder = L""},
        {.path = L"\\\\s\\h\\", .name = L"", .parent = L"", .shortFolder = L""}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.path));
        EXPECT_EQ(formOf(PathForm::Name, row.path), row.name);
        EXPECT_EQ(formOf(PathForm::Parent, row.path), row.parent);
        EXPECT_EQ(formOf(PathForm::ShortFolderLongName, row.path), row.shortFolder);
    }
}
