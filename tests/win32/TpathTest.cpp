// The built tpath.exe in processes of its own, its standard streams in files.
#include <algorithm>

#include "paths/PathForms.h"
#include "tests/win32/Support.h"

using namespace twinpath::wine;

// The text in UTF-8, as tpath writes to files and pipes by default.
static std::string utf8(const std::wstring& text) {
    std::string bytes(text.size() * 4, '\0');
    bytes.resize(::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                                       static_cast<int>(bytes.size()), nullptr, nullptr));
    return bytes;
}

struct TpathTest : testing::Test {
    struct Result {
        DWORD status = STILL_ACTIVE;
        std::string out, err;
    };

    Result run(std::wstring commandLine, const std::string& input = {}) {
        // Files of each run's own: no run reads what an earlier one left.
        const std::wstring streams = L"streams" + std::to_wstring(++runs) + L"\\";
        const std::wstring in = tree.add(streams + L"in", input), out = tree.root + L"\\" + streams + L"out",
                           err = tree.root + L"\\" + streams + L"err";
        SECURITY_ATTRIBUTES inherited{sizeof(inherited), nullptr, TRUE};
        const auto open = [&](const std::wstring& path, DWORD access, DWORD creation) {
            return win32::UniqueHandle(
                ::CreateFileW(path.c_str(), access, FILE_SHARE_READ, &inherited, creation, 0, nullptr));
        };
        auto stdIn = open(in, GENERIC_READ, OPEN_EXISTING), stdOut = open(out, GENERIC_WRITE, CREATE_ALWAYS),
             stdErr = open(err, GENERIC_WRITE, CREATE_ALWAYS);
        Result result;
        const win32::UniqueHandle process =
            startProcess(std::move(commandLine), nullptr, {stdIn.get(), stdOut.get(), stdErr.get()});
        result.status = exitCodeOf(process.get(), 30s);
        stdOut.reset();
        stdErr.reset();
        std::ifstream outFile{std::filesystem::path(out), std::ios::binary},
            errFile{std::filesystem::path(err), std::ios::binary};
        result.out.assign(std::istreambuf_iterator<char>(outFile), {});
        result.err.assign(std::istreambuf_iterator<char>(errFile), {});
        return result;
    }

    TempTree tree;
    int runs = 0;
    const std::wstring file = tree.add(L"日本語 フォルダ\\😀 Smile.txt");
    const std::wstring folder = file.substr(0, file.rfind(L'\\'));
};

TEST_F(TpathTest, WritesUtf8OrUtf16AsToldAndTellsWhichPathsAreMissing) {
    // Typed in small letters, the long form comes back as stored.
    const Result both = run(L"\"" TPATH_EXE L"\" -b -0 \"" + folder + L"\\😀 smile.TXT\" \"" + folder + L"\"");
    EXPECT_EQ(both.status, 0u);
    EXPECT_EQ(both.out,
              utf8(file + L"\t" + systemShortPath(file) + L'\0' + folder + L"\t" + systemShortPath(folder) + L'\0'));
    EXPECT_EQ(both.err, "");
    // Told to, in UTF-16 with its mark, here of paths read from standard input.
    const Result result =
        run(L"\"" TPATH_EXE L"\" --encoding=utf-16 -f -", bytesOf(L"\xFEFF" + file + L"\r\n\r\nC:\\none\n"));
    EXPECT_EQ(result.status, 1u);
    EXPECT_EQ(result.out, bytesOf(L"\xFEFF" + file + L"\r\n\r\n"));
    EXPECT_EQ(result.err, bytesOf(L"\xFEFFtpath: no such file or folder: C:\\none\r\n"));
}

TEST_F(TpathTest, FormsForCmdReachAProgramAsThePathAtThePromptAndFromABatchFile) {
    // tpath takes the form as its path: it prints the one that exists and names the others as missing.
    std::wstring program = TPATH_EXE L" -l ";  // without a blank: cmd takes the line after /c as it is
    std::ranges::replace(program, L'/', L'\\');
    win32::Win32FileSystem fileSystem;
    const auto form = [&](PathForm form, const std::wstring& path) { return pathInForm(form, path, fileSystem).text; };
    const auto printed = [this](const std::wstring& commandLine) {
        const Result result = run(L"cmd.exe /c " + commandLine);
        return result.out + result.err;
    };
    for (const std::wstring path : {L"C:\\dir with blank\\f.txt", L"C:\\a&b", L"C:\\a^b", L"C:\\100%\\x%y", L"C:\\a!b",
                                    L"C:\\dir with blank\\", L"C:\\", L"\\\\?\\C:\\x\\dir with blank\\"}) {
        const std::string taken =
            utf8(path == L"C:\\" ? L"C:\\\r\n" : L"\r\ntpath: no such file or folder: " + path + L"\r\n");
        EXPECT_EQ(printed(program + form(PathForm::CommandLine, path)), taken);
        EXPECT_EQ(printed(tree.add(L"run.cmd", utf8(L"@" + program + form(PathForm::BatchFile, path)))), taken);
    }
    // cmd's own commands find a "\\?\" folder by its quoted form.
    const std::wstring folder = tree.add(L"dir with blank\\");
    EXPECT_EQ(run(L"cmd.exe /c if exist " + form(PathForm::Quoted, L"\\\\?\\" + folder + L"\\") + L" echo found").out,
              "found\r\n");
}
