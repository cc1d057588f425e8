// The programs as the release archive holds them, unpacked in a folder whose
// name holds a blank and a non-ASCII letter (release_test.py): both run from
// there, and the window's caption and both version resources tell the
// version the build was made with.
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

}  // namespace

TEST(ArchiveTest, BothProgramsRunFromAFolderOfAnyNameAndTellTheBuildsVersion) {
    std::wstring folder;
    for (const auto& entry : std::filesystem::directory_iterator(ARCHIVE_PARENT))
        if (entry.is_directory()) folder = std::filesystem::path(entry).make_preferred().wstring();
    ASSERT_TRUE(folder.find(L' ') != std::wstring::npos && folder.find(L'\u00e9') != std::wstring::npos) << folder;

    const win32::UniqueHandle window =
        startProcess(L"\"" + folder + L"\\twinpath.exe\" \"" + folder + L"\"", folder.c_str());
    HWND shown = nullptr;
    EXPECT_TRUE(waitUntil([&] { return (shown = ::FindWindowW(win32::kMainWindowClass, nullptr)); }));
    EXPECT_TRUE(waitUntil([&] { return textOf(::GetWindow(shown, GW_CHILD)) == folder; }, 5s));
    EXPECT_TRUE(textOf(shown).ends_with(L"  Ver." TWINPATH_VERSION)) << textOf(shown);
    ::PostMessageW(shown, WM_CLOSE, 0, 0);
    EXPECT_EQ(exitCodeOf(window.get(), 10s), 0u);

    EXPECT_EQ(resourceVersion(folder + L"\\twinpath.exe"), TWINPATH_VERSION);
    EXPECT_EQ(resourceVersion(folder + L"\\tpath.exe"), TWINPATH_VERSION);
}
