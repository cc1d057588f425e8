// The built program in processes of its own: a second start hands its path
// to the running copy, waits for one that is still starting, and opens its
// own window when none answers; bad input from peers changes nothing else.
#include "tests/win32/Support.h"
#include "win32/DdeClient.h"
#include "win32/DdeNames.h"
#include "win32/DdeServer.h"

using namespace twinpath::wine;

// A copy of the built program started with a path.
StartedProcess program(const std::wstring& path) { return StartedProcess(L"\"" TWINPATH_EXE L"\" \"" + path + L"\""); }

// Whether the window comes to show `path` above the system's short form of
// it; its first two children are the long and the short field.
bool shows(HWND window, const std::wstring& path) {
    const HWND longField = ::GetWindow(window, GW_CHILD);
    const auto fields = [&] { return textOf(longField) + L"|" + textOf(::GetWindow(longField, GW_HWNDNEXT)); };
    return waitUntil([&] { return fields() == path + L"|" + systemShortPath(path); }, 5s);
}

class HandOffTest : public ::testing::Test {
protected:
    TempTree tree;
    const std::wstring first = tree.add(L"First Long File Name.text");
    const std::wstring second = tree.add(L"Second Folder\\Another Long Name.text");
};

TEST_F(HandOffTest, ASecondStartHandsItsPathToTheMinimizedFirstAndEnds) {
    const StartedProcess running = program(first);
    const HWND window = mainWindow();
    ASSERT_TRUE(shows(window, first));
    ::ShowWindow(window, SW_MINIMIZE);
    EXPECT_EQ(program(second).exitCode(), 0u);
    EXPECT_TRUE(shows(window, second));
    EXPECT_FALSE(::IsIconic(window));
}

// A copy holds the single-instance name but does not serve the hand-off yet:
// it is still starting, or hung.
TEST_F(HandOffTest, ASecondStartWaitsForACopyStillStartingAndThenOpensItsOwnWindow) {
    // The single-instance name is part of the program's contract with its later copies.
    const win32::UniqueHandle startingCopy(::CreateMutexW(nullptr, FALSE, L"Local\\Twinpath.SingleInstance"));
    {
        const StartedProcess later = program(second);
        waitUntil([] { return false; }, 1s);
        std::vector<std::wstring> pokes;
        win32::DdeServer server([&](const std::wstring& text) { pokes.push_back(text); });
        ASSERT_TRUE(server.start());
        EXPECT_EQ(later.exitCode(), 0u);
        EXPECT_EQ(pokes, std::vector<std::wstring>{second});
    }
    const StartedProcess later = program(first);
    EXPECT_TRUE(shows(mainWindow(), first));
}

TEST_F(HandOffTest, BadInputLeavesTheWindowAnsweringAndAMissingPathIsNamed) {
    const StartedProcess running = program(first);
    const HWND window = mainWindow();
    const HWND longField = ::GetWindow(window, GW_CHILD), shortField = ::GetWindow(longField, GW_HWNDNEXT);
    for (const std::wstring& bad : {tree.root + L"\\nosuch.txt", tree.root + L"\\" + std::wstring(32000, L'x')}) {
        EXPECT_TRUE(win32::pokeRunningCopy(bad, 5s));
        // The window shows no forms and says why the path, or the start of it, cannot be read.
        const std::wstring why = L"Cannot read " + bad.substr(0, 200);
        EXPECT_TRUE(waitUntil([&] { return textOf(longField).empty() && textOf(shortField).starts_with(why); }, 5s))
            << bad.substr(0, 80);
    }
    // Longer than any command line: refused, so not handed over.
    EXPECT_FALSE(win32::pokeRunningCopy(std::wstring(win32::kMaxPokeChars + 1, L'x'), 5s));
}

// The real file system, whose folder searches stop after their first entries
// while the gate is shut: a share that has stopped answering.
struct GatedFileSystem final : win32::Win32FileSystem {
    struct Search final : DirectorySearch {
        Search(std::unique_ptr<DirectorySearch> inner, HANDLE gate) : inner(std::move(inner)), gate(gate) {}
        bool next(FindEntry& entry) override {
            if (++delivered > 3) ::WaitForSingleObject(gate, 60000);
            return inner->next(entry);
        }
        std::wstring failure() const override { return inner->failure(); }
        std::unique_ptr<DirectorySearch> inner;
        HANDLE gate;
        int delivered = 0;
    };
    std::unique_ptr<DirectorySearch> search(const std::wstring& pattern) override {
        return std::make_unique<Search>(Win32FileSystem::search(pattern), gate.get());
    }
    const win32::UniqueHandle gate{::CreateEventW(nullptr, TRUE, TRUE, nullptr)};
};

// The window's thread never waits on the file system: while a listing hangs
// in a search, the window answers, tells of the listing, stops it on Esc and
// takes a second start's path at once.
TEST_F(HandOffTest, AListingThatHangsLeavesTheWindowAnsweringAndEscOrANewPathStopsIt) {
    for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt"}) tree.add(name);
    const auto fileSystem = std::make_shared<GatedFileSystem>();
    WindowSession session(fileSystem);
    win32::MainWindow& window = session.window;
    ASSERT_TRUE(session.created);
    window.show(SW_SHOWNORMAL);
    win32::DdeServer handOffs([&window](const std::wstring& path) { window.queuePath(path); });
    ASSERT_TRUE(handOffs.start());
    const win32::UniqueHandle running(::CreateMutexW(nullptr, FALSE, L"Local\\Twinpath.SingleInstance"));
    const HWND shortField = window.control(Control::ShortField);
    window.queuePath(first);
    ASSERT_TRUE(waitUntil([&] { return textOf(shortField) == systemShortPath(first); }));
    ASSERT_TRUE(window.setClipboardText(L"kept"));
    const auto listHanging = [&] {
        ::ResetEvent(fileSystem->gate.get());
        ::SendMessageW(window.control(Control::List), BM_CLICK, 0, 0);
        return waitUntil([&] { return textOf(shortField).starts_with(L"Listing " + tree.root + L": "); });
    };
    ASSERT_TRUE(listHanging());
    // The pointer over the window says that work goes on while the window answers.
    const auto pointer = [&] {
        ::SendMessageW(window.hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(window.hwnd()),
                       MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return ::GetCursor();
    };
    EXPECT_EQ(pointer(), ::LoadCursorW(nullptr, IDC_APPSTARTING));
    MSG escape{shortField, WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
    if (!window.preTranslate(escape)) ::DispatchMessageW(&escape);
    EXPECT_EQ(pointer(), ::LoadCursorW(nullptr, IDC_ARROW));
    ::SetEvent(fileSystem->gate.get());
    window.awaitWork(10000);
    // A second start while a listing hangs hands its path over; the path waits behind the hanging search.
    ASSERT_TRUE(listHanging());
    EXPECT_EQ(program(second).exitCode(), 0u);
    EXPECT_TRUE(waitUntil([&] { return textOf(shortField) == L"Reading " + second + L"\u2026"; }));
    ::SetEvent(fileSystem->gate.get());
    EXPECT_TRUE(shows(window.hwnd(), second));
    EXPECT_EQ(clipboardText(), L"kept");
}
