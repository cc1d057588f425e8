// The read-only guarantee: a whole session of use, from start to close,
// leaves a tree of files and the registry exactly as they were.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <thread>
#include <type_traits>
#include <utility>

#include "platform/win32/Clipboard.h"
#include "platform/win32/DdeClient.h"
#include "platform/win32/MainWindow.h"
#include "platform/win32/ModeMenu.h"
#include "platform/win32/OleSession.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32TextServices.h"
#include "tests/fakes/FakeWindow.h"
#include "tests/win32/FakeDataObject.h"
#include "tests/win32/ProgramUnderTest.h"
#include "tests/win32/Snapshot.h"
#include "tests/win32/TempTree.h"

namespace twinpath::wine {
namespace {

using G = ControlGroup;

// What Wine rewrites by itself whenever some process starts, whatever that
// process does. Windows keeps none of it.
const std::vector<LeftOut> kWineOwnUserState = {
    // The code pages of the last process that loaded fonts: the program runs
    // in UTF-8 (its manifest asks for it), this test in 1252.
    {L"Software\\Wine\\Fonts", L"Codepages"},
};
const std::vector<LeftOut> kWineOwnMachineState = {
    // The bitmap fonts registered for those code pages.
    {L"System\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Fonts", L"FIXEDFON.FON"},
    {L"System\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Fonts", L"FONTS.FON"},
    {L"System\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Fonts", L"OEMFONT.FON"},
    // The display devices, which the display driver writes again (with the
    // time of writing) each time it refreshes its list of monitors and
    // adapters.
    {L"Hardware\\DEVICEMAP\\VIDEO"},
    {L"System\\CurrentControlSet\\Control\\Class\\{4D36E968-E325-11CE-BFC1-08002BE10318}"},
    {L"System\\CurrentControlSet\\Control\\Class\\{4D36E96E-E325-11CE-BFC1-08002BE10318}"},
    {L"System\\CurrentControlSet\\Control\\Video"},
    {L"System\\CurrentControlSet\\Enum\\DISPLAY"},
    {L"System\\CurrentControlSet\\Enum\\PCI"},
    {L"System\\CurrentControlSet\\Hardware Profiles\\Current\\System\\CurrentControlSet\\Control\\Video"},
};

// The whole registry as the prefix's user.reg, userdef.reg and system.reg
// hold it.
Snapshot registry() {
    Snapshot lines = snapshotRegistry(HKEY_CURRENT_USER, L"HKCU", L"", kWineOwnUserState);
    const Snapshot defaults = snapshotRegistry(HKEY_USERS, L"HKU", L".Default");
    const Snapshot machine = snapshotRegistry(HKEY_LOCAL_MACHINE, L"HKLM", L"", kWineOwnMachineState);
    lines.insert(lines.end(), defaults.begin(), defaults.end());
    lines.insert(lines.end(), machine.begin(), machine.end());
    return lines;
}

void writeFile(const std::wstring& path, const std::string& bytes, DWORD attributes = 0) {
    win32::UniqueHandle file(::CreateFileW((L"\\\\?\\" + path).c_str(), GENERIC_WRITE, 0, nullptr,
                                           CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_NE(file.get(), INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ASSERT_TRUE(::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    // An old time, so that a write in the session would move it visibly.
    FILETIME old{0x3E8C0000, 0x01C9D4B8};
    ASSERT_TRUE(::SetFileTime(file.get(), &old, nullptr, &old));
    file.reset();
    if (attributes) {
        ASSERT_TRUE(::SetFileAttributesW((L"\\\\?\\" + path).c_str(), attributes));
    }
}

// The program's window in this process, on the real file system, taking a
// drop through its own drop target; then its list and level buttons.
void dropOnTheWindow(const std::vector<std::wstring>& paths) {
    const win32::OleSession ole;
    ASSERT_TRUE(ole.active());
    win32::Win32FileSystem fileSystem;
    win32::Win32TextServices text;
    fakes::FakeProcess process;
    win32::MainWindow window(::GetModuleHandleW(nullptr), fileSystem, text, process);
    ASSERT_TRUE(window.create());
    ASSERT_EQ(window.form().Form_Load(), TwinpathF::LoadResult::ShowWindow);
    window.show(SW_SHOWNORMAL);
    ASSERT_TRUE(window.acceptDrops());

    FakeDataObject data(CF_HDROP, fileListBlock(paths));
    RECT target{};
    ::GetWindowRect(window.control(G::TextFileName, 1), &target);
    const POINTL point{(target.left + target.right) / 2, (target.top + target.bottom) / 2};
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    ASSERT_EQ(window.dropTarget()->DragEnter(&data, MK_LBUTTON, point, &effect), S_OK);
    ASSERT_EQ(window.dropTarget()->Drop(&data, 0, point, &effect), S_OK);
    const auto pump = [&] {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (window.preTranslate(message)) continue;
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    };
    pump();
    ASSERT_EQ(window.fieldText(0), paths.front());
    for (const auto& [group, index] : {std::pair{G::BtnListCopy, 0}, {G::BtnDirLV, 0}, {G::BtnDirLV, 1}}) {
        ::SendMessageW(window.control(group, index), BM_CLICK, 0, 0);
        pump();
    }
}

class ReadOnlyTest : public ::testing::Test {
protected:
    void SetUp() override {
        writeFile(tree.path(L"Long File Name.text"), "first file\r\n");
        tree.addFolder(L"Sub Folder\\Deeper Folder");
        writeFile(tree.path(L"Sub Folder\\Deeper Folder\\Second File.text"), std::string(5000, 'x'));
        writeFile(tree.path(L"Sub Folder\\read only.txt"), "kept", FILE_ATTRIBUTE_READONLY);
        writeFile(tree.path(L"Sub Folder\\hidden.txt"), "kept",
                  FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
        tree.addFolder(L"日本語のフォルダ");
        writeFile(tree.path(L"日本語のフォルダ\\日本語のファイル名.txt"), "\xE6\x97\xA5");
        tree.addFolder(L"Empty Folder");
        std::wstring deep = L"Deep";
        for (int level = 0; level < 10; ++level)
            deep += L"\\A Rather Long Folder Name " + std::to_wstring(level);
        tree.addFolder(deep);
        writeFile(tree.path(deep + L"\\At The Bottom.txt"), "deep");
        deepFile = tree.path(deep + L"\\At The Bottom.txt");
    }

    void press(HWND target, UINT message = BM_CLICK, WPARAM command = 0) {
        ASSERT_TRUE(sendWithin(target, message, command, 0, std::chrono::seconds(20)));
    }

    // Picks entry `index` of the mode menu that a right click on "List"
    // opens, by keyboard, as a user would, and returns the listing it makes.
    std::wstring pickFromModeMenu(HWND main, int index) {
        const std::wstring marker = L"before the pick";
        EXPECT_TRUE(win32::setClipboardText(nullptr, marker));
        EXPECT_TRUE(::PostMessageW(control(main, G::BtnListCopy), WM_RBUTTONUP, 0, MAKELPARAM(3, 3)));
        HWND menu = nullptr;
        EXPECT_TRUE(waitUntil([&] { return (menu = ::FindWindowW(L"#32768", nullptr)) != nullptr; }));
        std::vector<WPARAM> keys = {VK_DOWN, VK_RIGHT};
        for (int i = 0; i < index; ++i) keys.push_back(VK_DOWN);
        keys.push_back(VK_RETURN);
        for (const WPARAM key : keys) {
            ::PostMessageW(menu, WM_KEYDOWN, key, 0);
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        // The pick arrives as a posted command after the menu has closed.
        std::wstring listing;
        EXPECT_TRUE(waitUntil([&] { return (listing = clipboardText().value_or(marker)) != marker; }));
        EXPECT_TRUE(responds(main));
        return listing;
    }

    // Everything a user can do with the running program.
    void useEverything(HWND main) {
        press(control(main, G::BtnCopy, 0));
        press(control(main, G::BtnCopy, 1));
        press(control(main, G::BtnListCopy));
        for (const int option : {1, 2, 0}) press(control(main, G::Option1, option));
        EXPECT_NE(pickFromModeMenu(main, 1).find(L"\tNAME\r\n"), std::wstring::npos);
        EXPECT_EQ(pickFromModeMenu(main, 0).find(L"\tNAME\r\n"), std::wstring::npos);
        press(main, WM_COMMAND, win32::ModeMenu::kFirstCommand + 1);
        press(main, WM_COMMAND, win32::ModeMenu::kFirstCommand);
        for (const int index : {0, 1}) press(field(main, index), WM_LBUTTONDBLCLK);
        for (const int button :
             {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1})
            press(control(main, G::BtnDirLV, button));
    }

    TempTree tree;
    std::wstring deepFile;
};

TEST_F(ReadOnlyTest, ASessionOfUseChangesNoFileAndNoRegistryValue) {
    const Snapshot treeBefore = snapshotTree(tree.root());
    const Snapshot registryBefore = registry();
    ASSERT_GT(treeBefore.size(), 20u);

    {
        Program program(L"\"" + tree.path(L"Long File Name.text") + L"\"");
        const HWND main = program.window();
        ASSERT_TRUE(main);
        ASSERT_TRUE(waitUntil([&] { return textOf(field(main, 0)) == tree.path(L"Long File Name.text"); }));
        useEverything(main);

        // A second start hands its path over; one without a path just ends.
        Program second(L"\"" + deepFile + L"\"");
        EXPECT_EQ(second.waitForExit(std::chrono::seconds(15)), DWORD{0});
        ASSERT_TRUE(waitUntil([&] { return textOf(field(main, 0)) == deepFile; }));
        Program third(L"");
        EXPECT_EQ(third.waitForExit(std::chrono::seconds(15)), DWORD{0});
        useEverything(main);
        ASSERT_TRUE(win32::pokeRunningCopy(tree.path(L"日本語のフォルダ\\日本語のファイル名.txt"),
                                           std::chrono::seconds(5)));
        useEverything(main);

        ASSERT_TRUE(::PostMessageW(main, WM_CLOSE, 0, 0));
        EXPECT_EQ(program.waitForExit(std::chrono::seconds(15)), DWORD{0});
    }

    dropOnTheWindow({tree.path(L"Sub Folder"), tree.path(L"Empty Folder")});

    const Snapshot treeAfter = snapshotTree(tree.root());
    EXPECT_TRUE(treeAfter == treeBefore) << differences(treeBefore, treeAfter);
    const Snapshot registryAfter = registry();
    EXPECT_TRUE(registryAfter == registryBefore) << differences(registryBefore, registryAfter);
}

// The snapshots themselves: each kind of write, however small, shows.
TEST(SnapshotTest, EveryKindOfWriteShows) {
    TempTree tree;
    const std::wstring file = tree.path(L"file.txt");
    writeFile(file, "contents");
    tree.addFolder(L"folder");
    const auto setTimes = [&](const FILETIME* created, const FILETIME* written) {
        win32::UniqueHandle handle(::CreateFileW(file.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_NE(handle.get(), INVALID_HANDLE_VALUE);
        ASSERT_TRUE(::SetFileTime(handle.get(), created, nullptr, written));
    };
    const FILETIME later{0x3E8C0000, 0x01D9D4B8};
    const struct {
        const char* what;
        std::function<void()> write;
    } treeWrites[] = {
        {"a byte, size and time kept",
         [&] {
             WIN32_FILE_ATTRIBUTE_DATA before{};
             ::GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &before);
             writeFile(file, "Contents");
             setTimes(&before.ftCreationTime, &before.ftLastWriteTime);
         }},
        {"the last-write time", [&] { setTimes(nullptr, &later); }},
        {"an attribute", [&] { ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_HIDDEN); }},
        {"a new name", [&] { ::MoveFileW(tree.path(L"folder").c_str(), tree.path(L"renamed").c_str()); }},
        {"a new file", [&] { writeFile(tree.path(L"renamed\\new.txt"), ""); }},
        {"a removal", [&] { ::DeleteFileW(tree.path(L"renamed\\new.txt").c_str()); }},
    };
    for (const auto& w : treeWrites) {
        SCOPED_TRACE(w.what);
        const Snapshot before = snapshotTree(tree.root());
        w.write();
        EXPECT_NE(snapshotTree(tree.root()), before);
    }

    // A key of the test's own, removed with all in it at the end.
    const std::wstring keyPath =
        L"Software\\Twinpath snapshot test " + std::to_wstring(::GetCurrentProcessId());
    const auto removeKey = [&](HKEY opened) {
        ::RegCloseKey(opened);
        ::RegDeleteTreeW(HKEY_CURRENT_USER, keyPath.c_str());
    };
    HKEY created = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                &created, nullptr),
              ERROR_SUCCESS);
    const std::unique_ptr<std::remove_pointer_t<HKEY>, decltype(removeKey)> key(created, removeKey);
    const auto setValue = [&](const wchar_t* name, DWORD data) {
        ::RegSetValueExW(key.get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof(data));
    };
    const struct {
        const char* what;
        std::function<void()> write;
    } registryWrites[] = {
        {"a new value", [&] { setValue(L"value", 1); }},
        {"a value's data", [&] { setValue(L"value", 2); }},
        {"a new key",
         [&] {
             HKEY sub = nullptr;
             ::RegCreateKeyExW(key.get(), L"sub", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &sub, nullptr);
             const UniqueKey closed(sub);
         }},
        {"a removed value", [&] { ::RegDeleteValueW(key.get(), L"value"); }},
    };
    for (const auto& w : registryWrites) {
        SCOPED_TRACE(w.what);
        const Snapshot before = snapshotRegistry(HKEY_CURRENT_USER, L"HKCU", keyPath);
        w.write();
        EXPECT_NE(snapshotRegistry(HKEY_CURRENT_USER, L"HKCU", keyPath), before);
    }
}

}  // namespace
}  // namespace twinpath::wine
