// The programs as the release archive holds them, unpacked in a folder whose
// name holds a blank and a non-ASCII letter (release_test.py): both run from
// there, and the window's caption tells the version that the build wrote
// into its version resource.
#include "tests/win32/Support.h"

using namespace twinpath::wine;

TEST(ArchiveTest, BothProgramsRunFromAFolderOfAnyNameAndTheWindowTellsTheBuildsVersion) {
    std::wstring folder;
    for (const auto& entry : std::filesystem::directory_iterator(ARCHIVE_PARENT))
        if (entry.is_directory()) folder = std::filesystem::path(entry).make_preferred().wstring();
    ASSERT_TRUE(folder.find(L' ') != std::wstring::npos && folder.find(L'\u00e9') != std::wstring::npos) << folder;

    const win32::UniqueHandle window =
        startProcess(L"\"" + folder + L"\\twinpath.exe\" \"" + folder + L"\"", folder.c_str());
    const HWND shown = mainWindow();
    EXPECT_TRUE(waitUntil([&] { return textOf(::GetWindow(shown, GW_CHILD)) == folder; }, 5s));
    EXPECT_TRUE(textOf(shown).ends_with(L"  Ver." TWINPATH_VERSION)) << textOf(shown);
    ::PostMessageW(shown, WM_CLOSE, 0, 0);
    EXPECT_EQ(exitCodeOf(window.get(), 10s), 0u);
    EXPECT_EQ(StartedProcess(L"\"" + folder + L"\\tpath.exe\" --version").exitCode(), 0u);
}
