#include <gtest/gtest.h>

#include "cli/Companion.h"
#include "cli/PathLines.h"
#include "fakes/Fakes.h"

using namespace twinpath;
using namespace twinpath::cli;
using Texts = std::vector<std::wstring>;
using namespace std::string_literals;

TEST(CompanionOptionsTest, EachMistakeIsNamed) {
    for (const auto& [arguments, error] : std::initializer_list<std::pair<Texts, const wchar_t*>>{
             {{}, L"no PATH given"},
             {{L"-s", L"--", L"-x"}, L""},
             {{L"-sx", L"a"}, L"unknown option: -x"},
             {{L"--shorts", L"a"}, L"unknown option: --shorts"},
             {{L"--why=1", L"a"}, L"option --why takes no value"},
             {{L"a", L"--list=all"}, L"unknown listing mode: all"},
             {{L"a", L"--encoding=utf8"}, L"unknown encoding: utf8"},
             {{L"--as=url", L"a"}, L"unknown form: url"},
             {{L"a", L"-f"}, L"option -f needs a value"},
             {{L"a", L"--encoding"}, L"option --encoding needs a value"}})
        EXPECT_EQ(parseArguments(arguments).error, error) << testing::PrintToString(arguments);
}

TEST(CompanionOptionsTest, EachOptionGoesWithEachOtherButAsWithAListing) {
    const Texts options = {L"-l",    L"-s", L"-b",   L"--upper",        L"--lower", L"--list",    L"-r",
                           L"--why", L"-0", L"-fin", L"--encoding=oem", L"--help",  L"--version", L"--as=cmd"};
    const std::map<std::wstring, std::wstring> refusedWithAs = {{L"--list", L"--as and --list do not go together"},
                                                                {L"-r", L"--as and -r do not go together"}};
    for (const std::wstring& first : options)
        for (const std::wstring& second : options) {
            const bool withAs = first == L"--as=cmd" || second == L"--as=cmd";
            const auto refused = refusedWithAs.find(first == L"--as=cmd" ? second : first);
            EXPECT_EQ(parseArguments({first, second, L"C:\\x"}).error,
                      withAs && refused != refusedWithAs.end() ? refused->second : L"")
                << first << L" " << second;
        }
}

// Each line handed over, "|" after each; `stopAfter` lines are taken before the handler says stop.
static std::wstring linesOf(const std::vector<std::string>& pieces, std::size_t stopAfter = 99) {
    std::wstring seen;
    PathLines lines([&](const std::wstring& line) {
        seen += line + L"|";
        return --stopAfter > 0;
    });
    bool going = true;
    for (const auto& piece : pieces) going = going && lines.feed(piece);
    if (going) lines.finish();
    return seen;
}

TEST(PathLinesTest, DecodesEitherEncodingAcrossPiecesAndSkipsBlankLines) {
    // A mark and characters of one to four bytes cut across pieces; CR LF, blank and blank-only lines.
    EXPECT_EQ(linesOf({"\xEF", "\xBB\xBFz\r", "\n\r\n \t\n\x7F\xE6\x97", "\xA5\n\xF0\x9F", "\x98\x80"}),
              L"z|\x7F\x65E5|\U0001F600|");
    EXPECT_EQ(linesOf({"\xFF", "\xFEz\0\r\0\n\0\r\0\n\0=\xD8"s, "\0\xDE"s}), L"z|\xD83D\xDE00|");
    EXPECT_EQ(linesOf({"a\nb\nc\n"}, 2), L"a|b|");
}

// Standard output and error as text; files to read paths from, in pieces. A piece "!" fails the
// read; writes beyond `writesLeft` find the output closed.
struct FakeConsole final : Console {
    std::wstring out, err;
    std::map<std::wstring, std::vector<std::string>> files;
    int writesLeft = 99;
    void setEncoding(OutputEncoding) override {}
    bool writeOut(std::wstring_view text) override {
        if (writesLeft-- <= 0) return false;
        out += text;
        return true;
    }
    void writeError(std::wstring_view text) override { err += text; }
    bool flush() override { return writesLeft >= 0; }
    std::wstring fullPath(const std::wstring& path) override { return L"C:\\Data\\" + path; }
    struct Source final : ByteSource {
        explicit Source(std::vector<std::string> pieces) : pieces(std::move(pieces)) {}
        std::vector<std::string> pieces;
        std::size_t at = 0;
        bool read(std::string& bytes) override { return at < pieces.size() && (bytes = pieces[at++]) != "!"; }
        std::wstring failure() const override { return at && pieces[at - 1] == "!" ? L"broken." : L""; }
    };
    std::unique_ptr<ByteSource> openPaths(const std::wstring& file, std::wstring& failure) override {
        if (files.contains(file)) return std::make_unique<Source>(files[file]);
        failure = L"not there.";
        return nullptr;
    }
};

// One run of the companion on one disk; the fields after `err` set up what goes wrong.
TEST(CompanionTest, EachRunPrintsItsRecordsAndTellsWhatFailed) {
    const std::wstring caution =
        L"tpath: C:\\100%.txt: at the prompt cmd may expand %...% in it, and !...! with delayed expansion; in a "
        L"batch file use --as=batch\r\n";
    const std::wstring why = L"No short name for \"Long Name.txt\": the file system keeps no short names (ReFS).";
    const struct {
        Texts arguments;
        int status;
        std::wstring out = L"", err = L"";
        const wchar_t *listFailure = L"", *shortFailure = L"";
        int writesLeft = 99;
    } rows[] = {
        {.arguments = {L"-b", L"--upper", L"c:\\progra~1\\readme~1.txt", L"C:\\none", L"b.txt"},
         .status = kSomeFailed,
         .out =
             L"C:\\PROGRAM FILES\\READ ME.TXT\tC:\\PROGRA~1\\README~1.TXT\r\n\r\nC:\\DATA\\B.TXT\tC:\\DATA\\B.TXT\r\n",
         .err = L"tpath: no such file or folder: C:\\none\r\n"},
        {.arguments = {L"-s0", L"--why", L"C:\\Program Files\\Read Me.txt", L"C:\\Data\\Long Name.txt"},
         .status = kAllFound,
         .out = std::wstring(L"C:\\PROGRA~1\\README~1.TXT\0C:\\Data\\Long Name.txt\0", 47) + why + L'\0'},
        {.arguments = {L"-b", L"--as=wsl", L"c:\\progra~1\\readme~1.txt", L"\\\\Server\\Share\\x.txt"},
         .status = kSomeFailed,
         .out = L"/mnt/c/Program Files/Read Me.txt\t/mnt/c/PROGRA~1/README~1.TXT\r\n\r\n",
         .err = L"tpath: \\\\Server\\Share\\x.txt: only a path on a drive has a WSL form\r\n"},
        // The short folder comes of the long form whatever form is chosen, in the case asked for.
        {.arguments = {L"-s", L"--lower", L"--as", L"short-folder", L"C:\\Program Files\\Read Me.txt"},
         .status = kAllFound,
         .out = L"c:\\progra~1\\read me.txt\r\n"},
        {.arguments = {L"-s", L"C:\\Data"},
         .status = kSomeFailed,
         .out = L"\r\n",
         .err = L"tpath: no short form of C:\\Data: The network path was not found.\r\n",
         .shortFailure = L"The network path was not found."},
        {.arguments = {L"--as=cmd", L"C:\\100%.txt"},
         .status = kAllFound,
         .out = L"\"C:\\100%.txt\"\r\n",
         .err = caution},
        {.arguments = {L"--list", L"--lower", L"C:\\Data\\b.txt"},
         .status = kAllFound,
         .out = L"DIR : c:\\data\r\n\r\nMore\r\nSub\r\nb.txt\r\nLong Name.txt\r\n"},
        {.arguments = {L"--list=tsv", L"C:\\Data", L"C:\\none"},
         .status = kSomeFailed,
         .err = L"tpath: Cannot list C:\\Data: Access is denied.\r\ntpath: no such file or folder: C:\\none\r\n",
         .listFailure = L"Access is denied."},
        // A whole tree is printed but for the folders that cannot be read, each told on standard error.
        {.arguments = {L"-r", L"C:\\Data"},
         .status = kSomeFailed,
         .out = L"DIR : C:\\Data\r\n\r\nMore\r\nMore\\x.txt\r\nSub\r\nb.txt\r\nLong Name.txt\r\n",
         .err = L"tpath: Cannot list C:\\Data\\Sub: Access is denied.\r\n"},
        // Paths from a file come after the arguments, up to where reading fails.
        {.arguments = {L"-f", L"in", L"C:\\Data\\Sub"},
         .status = kSomeFailed,
         .out = L"C:\\Data\\Sub\r\nC:\\Data\\b.txt\r\nC:\\Data\r\n\r\n",
         .err = L"tpath: no such file or folder: C:\\none\r\ntpath: cannot read in: broken.\r\n"},
        {.arguments = {L"--file=out", L"C:\\Data"},
         .status = kSomeFailed,
         .out = L"C:\\Data\r\n",
         .err = L"tpath: cannot open out: not there.\r\n"},
        {.arguments = {L"--version"}, .status = kAllFound, .out = L"tpath 1.3.0\r\n"},
        // Only the start of the usage text is held: the rest is the help's.
        {.arguments = {L"--help", L"-x"},
         .status = kUsageError,
         .err = L"tpath: unknown option: -x\r\nUsage: tpath [OPTIONS] [--] PATH...\r\n"},
        {.arguments = {L"C:\\Data", L"-f-"},
         .status = kSomeFailed,
         .out = L"C:\\Data\r\n",
         .err = L"tpath: standard output takes no more\r\n",
         .writesLeft = 1}};
    for (const auto& row : rows) {
        fakes::FakeFileSystem fs;
        for (const wchar_t* path :
             {L"C:\\Program Files|PROGRA~1\\Read Me.txt|README~1.TXT", L"C:\\Data\\b.txt", L"C:\\Data\\Sub\\",
              L"C:\\Data\\Long Name.txt", L"C:\\Data\\More\\x.txt", L"\\\\Server\\Share\\x.txt", L"C:\\100%.txt"})
            fs.add(path);
        fs.volumes[L"C:"].fileSystem = L"ReFS";
        fs.unreadable[L"C:\\Data\\Sub"] = L"Access is denied.";
        fs.failure = row.listFailure;
        fs.shortPathFailure = row.shortFailure;
        fakes::FakeText text;
        FakeConsole console;
        console.files = {{L"in", {"b.txt\r\nC:\\Da", "ta\nC:\\none\nC:\\Da", "!", "C:\\Data\n"}},
                         {L"-", {"C:\\Data\nC:\\none\n"}}};
        console.writesLeft = row.writesLeft;
        SCOPED_TRACE(testing::PrintToString(row.arguments));
        EXPECT_EQ(runCompanion(row.arguments, L"1.3.0", fs, text, console), row.status);
        EXPECT_EQ(console.out, row.out);
        EXPECT_EQ(row.status == kUsageError ? console.err.substr(0, row.err.size()) : console.err, row.err);
    }
}
