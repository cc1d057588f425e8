#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

#include "platform/win32/Handles.h"
#include "platform/win32/ModeMenu.h"
#include "tests/win32/TempTree.h"
#include "tests/win32/WindowHarness.h"

namespace twinpath::wine {
namespace {

using G = ControlGroup;

void setWriteTime(const std::wstring& path, int year, int month, int day, int hour, int minute, int second) {
    SYSTEMTIME utc{static_cast<WORD>(year), static_cast<WORD>(month), 0, static_cast<WORD>(day),
                   static_cast<WORD>(hour), static_cast<WORD>(minute), static_cast<WORD>(second), 0};
    FILETIME time{};
    ::SystemTimeToFileTime(&utc, &time);
    win32::UniqueHandle file(::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                           nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    ::SetFileTime(file.get(), nullptr, nullptr, &time);
}

// The local time the system shows for a UTC time, as the report must show it.
std::wstring shownTime(int year, int month, int day, int hour, int minute, int second) {
    SYSTEMTIME utc{static_cast<WORD>(year), static_cast<WORD>(month), 0, static_cast<WORD>(day),
                   static_cast<WORD>(hour), static_cast<WORD>(minute), static_cast<WORD>(second), 0};
    SYSTEMTIME local{};
    ::SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local);
    wchar_t text[32];
    std::swprintf(text, 32, L"%04u/%02u/%02u %02u:%02u:%02u", local.wYear, local.wMonth, local.wDay, local.wHour,
                  local.wMinute, local.wSecond);
    return text;
}

class ListCopyWindowTest : public WindowTest {
protected:
    void SetUp() override {
        folder = tree.addFolder(L"Data");
        setWriteTime(tree.addFile(L"Data\\b.txt", 3584), 2001, 2, 22, 7, 0, 0);
        setWriteTime(tree.addFile(L"Data\\A.txt", 1234), 2001, 2, 21, 9, 5, 3);
        setWriteTime(tree.addFolder(L"Data\\Sub"), 2001, 2, 20, 18, 0, 0);
    }

    TempTree tree;
    std::wstring folder;
};

TEST_F(ListCopyWindowTest, ListButtonAndModeMenuPutTheExactReportOnTheClipboard) {
    start(folder + L"\\A.txt");
    click(G::BtnListCopy);
    EXPECT_EQ(clipboardText(), L"DIR : " + folder + L"\r\n\r\nSub\r\nA.txt\r\nb.txt\r\n");

    ::SendMessageW(hwnd(), WM_COMMAND, win32::ModeMenu::kFirstCommand + 1, 0);
    pump();
    EXPECT_TRUE(window->modeChecked(1));
    EXPECT_FALSE(window->modeChecked(0));
    EXPECT_EQ(clipboardText(), L"DIR : " + folder + L"\r\n\r\n  SIZE   DATE       TIME   \tNAME\r\n" +
                                   L"<DIR>   " + shownTime(2001, 2, 20, 18, 0, 0) + L"\tSub\r\n" + L"    1KB " +
                                   shownTime(2001, 2, 21, 9, 5, 3) + L"\tA.txt\r\n" + L"    4KB " +
                                   shownTime(2001, 2, 22, 7, 0, 0) + L"\tb.txt\r\n");

    ::SendMessageW(hwnd(), WM_COMMAND, win32::ModeMenu::kFirstCommand, 0);
    pump();
    EXPECT_TRUE(window->modeChecked(0));
    EXPECT_EQ(clipboardText(), L"DIR : " + folder + L"\r\n\r\nSub\r\nA.txt\r\nb.txt\r\n");
}

TEST_F(ListCopyWindowTest, ListCommandRestoresAMaximizedWindow) {
    start(folder);
    ::ShowWindow(hwnd(), SW_MAXIMIZE);
    pump();
    ASSERT_TRUE(::IsZoomed(hwnd()));
    click(G::BtnListCopy);
    EXPECT_FALSE(::IsZoomed(hwnd()));
    EXPECT_EQ(clipboardText()->substr(0, 6), L"DIR : ");
}

// Watches for the popup menu from another thread and closes it again.
class MenuWatcher {
public:
    explicit MenuWatcher(HWND owner)
        : thread_([this, owner] {
              for (int i = 0; i < 100 && !stop_; ++i) {
                  if (::FindWindowW(L"#32768", nullptr)) {
                      seen_ = true;
                      ::PostMessageW(owner, WM_CANCELMODE, 0, 0);
                      ::PostMessageW(::FindWindowW(L"#32768", nullptr), WM_KEYDOWN, VK_ESCAPE, 0);
                  }
                  std::this_thread::sleep_for(std::chrono::milliseconds(10));
              }
          }) {}
    ~MenuWatcher() {
        stop_ = true;
        thread_.join();
    }
    bool seen() const { return seen_; }

private:
    std::atomic<bool> seen_{false};
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

TEST_F(ListCopyWindowTest, RightButtonReleaseOpensTheModeMenuLeftDoesNot) {
    start(folder);
    putOnClipboard(L"kept");
    const HWND button = control(G::BtnListCopy);
    {
        MenuWatcher watcher(hwnd());
        ::SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
        pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        EXPECT_FALSE(watcher.seen());
    }
    {
        MenuWatcher watcher(hwnd());
        ::SendMessageW(button, WM_RBUTTONUP, 0, MAKELPARAM(3, 3));
        pump();
        EXPECT_TRUE(watcher.seen());
    }
    {
        // The menu key and Shift+F10 on the focused button open it too.
        MenuWatcher watcher(hwnd());
        ::SendMessageW(hwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(button), -1);
        pump();
        EXPECT_TRUE(watcher.seen());
    }
    // Dismissing the menu changes neither the mode nor the clipboard.
    EXPECT_TRUE(window->modeChecked(0));
    EXPECT_EQ(clipboardText(), L"kept");
}

TEST_F(ListCopyWindowTest, LevelButtonsAndAltArrowsWalkARealTree) {
    const std::wstring deep = tree.addFolder(L"Data\\Sub\\Deeper Folder\\Deepest");
    start(deep);
    const std::wstring base = longField();
    click(G::BtnDirLV, 0);
    EXPECT_EQ(longField(), folder + L"\\Sub\\Deeper Folder");
    click(G::BtnDirLV, 0);
    EXPECT_EQ(longField(), folder + L"\\Sub");

    // Alt+Down goes back down like ">" (Alt held as the keyboard state says).
    ::SetFocus(control(G::TextFileName, 1));
    BYTE keys[256]{};
    ::GetKeyboardState(keys);
    keys[VK_MENU] = 0x80;
    ::SetKeyboardState(keys);
    MSG key{control(G::TextFileName, 1), WM_SYSKEYDOWN, VK_DOWN, static_cast<LPARAM>(1 | (1 << 29)), 0, {}};
    EXPECT_TRUE(window->preTranslate(key));
    keys[VK_MENU] = 0;
    ::SetKeyboardState(keys);
    pump();
    EXPECT_EQ(longField(), folder + L"\\Sub\\Deeper Folder");
    click(G::BtnDirLV, 1);
    EXPECT_EQ(longField(), base);
    EXPECT_EQ(shortField(), systemShortPath(deep));
}

}  // namespace
}  // namespace twinpath::wine
