#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <optional>
#include <string>
#include <thread>

#include "platform/win32/Clipboard.h"
#include "platform/win32/Handles.h"
#include "tests/win32/ClipboardReader.h"

namespace twinpath {
namespace {

using namespace std::chrono_literals;
using wine::clipboardText;

struct WindowDestroyer {
    using pointer = HWND;
    void operator()(HWND window) const noexcept { ::DestroyWindow(window); }
};
using UniqueWindow = std::unique_ptr<HWND, WindowDestroyer>;


// Another thread holding the clipboard open for `hold`, as a busy program
// might; one that empties it first makes Windows tell the clipboard's owner.
class ClipboardHolder {
public:
    explicit ClipboardHolder(std::chrono::milliseconds hold, bool empty = false) {
        std::promise<bool> opened;
        std::future<bool> result = opened.get_future();
        thread_ = std::thread([hold, empty, opened = std::move(opened)]() mutable {
            const bool ok = ::OpenClipboard(nullptr) != FALSE;
            opened.set_value(ok);
            if (!ok) return;
            if (empty) ::EmptyClipboard();
            std::this_thread::sleep_for(hold);
            ::CloseClipboard();
        });
        // Opening the clipboard under Wine first asks the clipboard's owner, which
        // may be our window: answer while waiting.
        while (result.wait_for(10ms) != std::future_status::ready) {
            MSG message;
            ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        }
        opened_ = result.get();
    }
    ~ClipboardHolder() { thread_.join(); }
    bool opened() const { return opened_; }

private:
    std::thread thread_;
    bool opened_ = false;
};

class ClipboardTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(owner); }

    UniqueWindow owner{
        ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr)};
};

TEST_F(ClipboardTest, TextComesBackExactlyAndClearingRemovesIt) {
    const std::wstring text = L"C:\\日本語のフォルダ\\" + std::wstring(400, L'я') + L".txt";
    ASSERT_TRUE(win32::setClipboardText(owner.get(), text));
    EXPECT_EQ(clipboardText(), text);
    ASSERT_TRUE(win32::setClipboardText(owner.get(), L""));
    EXPECT_EQ(clipboardText(), L"");

    ASSERT_TRUE(win32::clearClipboard(owner.get()));
    EXPECT_EQ(clipboardText(), std::nullopt);
}

TEST_F(ClipboardTest, ABriefHolderIsWaitedOut) {
    ClipboardHolder holder(200ms);
    ASSERT_TRUE(holder.opened());
    EXPECT_TRUE(win32::setClipboardText(owner.get(), L"C:\\after the wait.txt"));
    EXPECT_EQ(clipboardText(), L"C:\\after the wait.txt");
}

TEST_F(ClipboardTest, AHolderWaitingOnTheOwnerWindowIsAnswered) {
    ASSERT_TRUE(win32::setClipboardText(owner.get(), L"C:\\ours.txt"));
    ClipboardHolder holder(100ms, true);
    ASSERT_TRUE(holder.opened());
    EXPECT_TRUE(win32::setClipboardText(owner.get(), L"C:\\ours again.txt"));
    EXPECT_EQ(clipboardText(), L"C:\\ours again.txt");
}

TEST_F(ClipboardTest, ALongHolderMakesItGiveUpCleanly) {
    ASSERT_TRUE(win32::setClipboardText(owner.get(), L"C:\\before.txt"));
    {
        ClipboardHolder holder(1500ms);
        ASSERT_TRUE(holder.opened());
        EXPECT_FALSE(win32::setClipboardText(owner.get(), L"C:\\refused.txt"));
        EXPECT_FALSE(win32::clearClipboard(owner.get()));
    }
    // The failed attempts left the clipboard closed and as it was.
    EXPECT_EQ(clipboardText(), L"C:\\before.txt");
    EXPECT_TRUE(win32::setClipboardText(owner.get(), L"C:\\after.txt"));
    EXPECT_EQ(clipboardText(), L"C:\\after.txt");
}

}  // namespace
}  // namespace twinpath
