// The built tpath.exe in processes of its own, its standard streams in files.
#include <algorithm>

#include "paths/PathForms.h"
#include "tests/win32/Support.h"
#include "win32/Win32FileSystem.h"

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

    // Runs tpath with `arguments`, `input` as its standard input.
    Result tpath(const std::wstring& arguments, const std::string& input = {}) {
        return run(L"\"" TPATH_EXE L"\" " + arguments, input);
    }

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
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = stdIn.get(), startup.hStdOutput = stdOut.get(), startup.hStdError = stdErr.get();
        PROCESS_INFORMATION started{};
        Result result;
        if (::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr,
                             &startup, &started)) {
            const win32::UniqueHandle process(started.hProcess), thread(started.hThread);
            if (::WaitForSingleObject(process.get(), 30000) != WAIT_OBJECT_0) ::TerminateProcess(process.get(), 9);
            ::GetExitCodeProcess(process.get(), &result.status);
        }
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

TEST_F(TpathTest, WritesTheFormsAndListingsInUtf8) {
    // Typed in small letters, the long form comes back as stored.
    const Result both = tpath(L"-b -0 \"" + folder + L"\\😀 smile.TXT\" \"" + folder + L"\"");
    EXPECT_EQ(both.status, 0u);
    EXPECT_EQ(both.out,
              utf8(file + L"\t" + systemShortPath(file) + L'\0' + folder + L"\t" + systemShortPath(folder) + L'\0'));
    EXPECT_EQ(both.err, "");
    const Result listing = tpath(L"--list \"" + file + L"\"");
    EXPECT_EQ(listing.out, utf8(L"DIR : " + folder + L"\r\n\r\n😀 Smile.txt\r\n"));
    // A link back to the top of the tree is listed, never entered.
    std::wstring loopTree = LOOP_TREE;
    std::ranges::replace(loopTree, L'/', L'\\');
    const Result tree = tpath(L"-r \"" + loopTree + L"\"");
    EXPECT_EQ(tree.out, utf8(L"DIR : " + loopTree + L"\r\n\r\nSub\r\nSub\\Loop\r\nSub\\b.txt\r\na.txt\r\n"));
    EXPECT_EQ(tree.status, 0u);
}

TEST_F(TpathTest, ReadsPathsFromStandardInputAndTellsWhichAreMissing) {
    const Result result = tpath(L"--encoding=utf-16 -f -", bytesOf(L"\xFEFF" + file + L"\r\n\r\nC:\\none\n"));
    EXPECT_EQ(result.status, 1u);
    EXPECT_EQ(result.out, bytesOf(L"\xFEFF" + file + L"\r\n\r\n"));
    EXPECT_EQ(result.err, bytesOf(L"\xFEFFtpath: no such file or folder: C:\\none\r\n"));
    // No drive is mapped to a share here: a path has no network form.
    const Result network = tpath(L"--as=unc \"" + folder + L"\"");
    EXPECT_EQ(std::pair(network.status, network.out), std::pair(DWORD{1}, std::string("\r\n")));
    EXPECT_EQ(network.err, utf8(L"tpath: " + folder + L": the path is not on a mapped network drive\r\n"));
}

TEST_F(TpathTest, FormsForCmdReachAProgramAsThePathAtThePromptAndFromABatchFile) {
    std::wstring printer = PRINT_ARGUMENTS_EXE;  // without a blank: cmd takes the line after /c as it is
    std::ranges::replace(printer, L'/', L'\\');
    win32::Win32FileSystem fileSystem;
    const auto form = [&](PathForm form, const std::wstring& path) { return pathInForm(form, path, fileSystem).text; };
    for (const std::wstring path : {L"C:\\dir with blank\\f.txt", L"C:\\a&b", L"C:\\a^b", L"C:\\100%\\x%y", L"C:\\a!b",
                                    L"C:\\dir with blank\\", L"C:\\", L"\\\\?\\C:\\x\\dir with blank\\"}) {
        const std::string printed = utf8(L"A:" + path + L"\r\nC:" + path + L"\r\n");
        EXPECT_EQ(run(L"cmd.exe /c " + printer + L" " + form(PathForm::CommandLine, path)).out, printed);
        const std::wstring batch = tree.add(L"run.cmd", utf8(L"@" + printer + L" " + form(PathForm::BatchFile, path)));
        EXPECT_EQ(run(L"cmd.exe /c " + batch).out, printed);
    }
    // cmd's own commands find a "\\?\" folder by its quoted form.
    const std::wstring folder = tree.add(L"dir with blank\\");
    EXPECT_EQ(run(L"cmd.exe /c if exist " + form(PathForm::Quoted, L"\\\\?\\" + folder + L"\\") + L" echo found").out,
              "found\r\n");
}
