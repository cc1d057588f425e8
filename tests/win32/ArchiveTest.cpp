// The programs as the release archive holds them, unpacked in a folder whose
// name holds a blank and a non-ASCII letter (release_test.py): both run from
// there, and the window's caption, both version resources and tpath --version
// tell the version the build was made with.
#include "tests/win32/Support.h"
#include "win32/MainWindow.h"

using namespace twinpath::wine;

namespace {

// The version a program's resource tells: its numbers, and its text when that differs.
std::wstring resourceVersion(const std::wstring& program) {
    DWORD ignored = 0;
    std::vector<BYTE> block(::GetFileVersionInfoSizeW(program.c_str(), &ignored));
    VS_FIXEDFILEINFO* fixed = nullptr;
    wchar_t* text = nullptr;
    UINT size = 0;
    if (block.empty() || !::GetFileVersionInfoW(program.c_str(), 0, DWORD(block.size()), block.data()) ||
        !::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &size) ||
        !::VerQueryValueW(block.data(), L"\\StringFileInfo\\040904B0\\ProductVersion", reinterpret_cast<void**>(&text),
                          &size))
        return L"(none)";
    const std::wstring numbers = std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L"." +
                                 std::to_wstring(LOWORD(fixed->dwFileVersionMS)) + L"." +
                                 std::to_wstring(HIWORD(fixed->dwFileVersionLS));
    return numbers == text ? numbers : numbers + L" and " + text;
}

// Starts `program` of `folder` with `arguments`, there as its current folder,
// its standard output into `output` when given.
win32::UniqueHandle start(const std::wstring& folder, const std::wstring& program, const std::wstring& arguments,
                          HANDLE output = nullptr) {
    std::wstring commandLine = L"\"" + folder + L"\\" + program + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = output ? STARTF_USESTDHANDLES : 0;
    startup.hStdOutput = output;
    PROCESS_INFORMATION started{};
    ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, output != nullptr, 0, nullptr, folder.c_str(),
                     &startup, &started);
    const win32::UniqueHandle thread(started.hThread);
    return win32::UniqueHandle(started.hProcess);
}

// The exit status of a process that ends within 10 s; STILL_ACTIVE after
// ending it when it does not.
DWORD exitStatus(HANDLE process) {
    DWORD status = STILL_ACTIVE;
    if (::WaitForSingleObject(process, 10000) != WAIT_OBJECT_0) ::TerminateProcess(process, STILL_ACTIVE);
    ::GetExitCodeProcess(process, &status);
    return status;
}

}  // namespace

TEST(ArchiveTest, BothProgramsRunFromAFolderOfAnyNameAndTellTheBuildsVersion) {
    std::wstring folder;
    for (const auto& entry : std::filesystem::directory_iterator(ARCHIVE_PARENT))
        if (entry.is_directory()) folder = std::filesystem::path(entry).make_preferred().wstring();
    ASSERT_TRUE(folder.find(L' ') != std::wstring::npos && folder.find(L'\u00e9') != std::wstring::npos) << folder;

    const win32::UniqueHandle window = start(folder, L"twinpath.exe", L"\"" + folder + L"\"");
    HWND shown = nullptr;
    EXPECT_TRUE(waitUntil([&] { return (shown = ::FindWindowW(win32::kMainWindowClass, nullptr)); }));
    EXPECT_TRUE(waitUntil([&] { return textOf(::GetWindow(shown, GW_CHILD)) == folder; }, 5s));
    EXPECT_TRUE(textOf(shown).ends_with(L"  Ver." TWINPATH_VERSION)) << textOf(shown);
    ::PostMessageW(shown, WM_CLOSE, 0, 0);
    EXPECT_EQ(exitStatus(window.get()), 0u);

    HANDLE readEnd = nullptr, writeEnd = nullptr;
    SECURITY_ATTRIBUTES inherited{sizeof(inherited), nullptr, TRUE};
    ASSERT_TRUE(::CreatePipe(&readEnd, &writeEnd, &inherited, 0));
    const win32::UniqueHandle reader(readEnd), tpath = start(folder, L"tpath.exe", L"--version", writeEnd);
    ::CloseHandle(writeEnd);
    std::string out;
    std::array<char, 256> chunk{};
    for (DWORD got = 0; ::ReadFile(reader.get(), chunk.data(), DWORD(chunk.size()), &got, nullptr) && got;)
        out.append(chunk.data(), got);
    EXPECT_EQ(exitStatus(tpath.get()), 0u);
    EXPECT_EQ(std::wstring(out.begin(), out.end()), L"tpath " TWINPATH_VERSION L"\r\n");

    EXPECT_EQ(resourceVersion(folder + L"\\twinpath.exe"), TWINPATH_VERSION);
    EXPECT_EQ(resourceVersion(folder + L"\\tpath.exe"), TWINPATH_VERSION);
}
