// The built program in processes of its own: a second start hands its path
// to the running copy, waits for one that is still starting, and opens its
// own window when none answers; bad input from peers changes nothing else.
#include "tests/win32/Support.h"
#include "win32/DdeClient.h"
#include "win32/DdeNames.h"
#include "win32/DdeServer.h"
#include "win32/MainWindow.h"
#include "win32/Program.h"
#include "win32/Win32FileSystem.h"
#include "win32/Win32ProcessServices.h"
#include "win32/Win32TextServices.h"

using namespace twinpath::wine;

// The program's main window once one is visible; null when none appears.
HWND mainWindow() {
    HWND window = nullptr;
    waitUntil([&] { return (window = ::FindWindowW(win32::kMainWindowClass, nullptr)) && ::IsWindowVisible(window); });
    return window;
}

// A copy of the built program started with a path, ended when the test is done with it.
struct Program {
    // The path in quotes, or with `arguments` the text as it stands.
    explicit Program(const std::wstring& path, bool arguments = false) {
        std::wstring commandLine = L"\"" TWINPATH_EXE L"\" " + (arguments ? path : L"\"" + path + L"\"");
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION started{};
        // On failure `started` stays empty.
        ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started);
        const win32::UniqueHandle thread(started.hThread);
        process.reset(started.hProcess);
    }
    ~Program() { ::TerminateProcess(process.get(), 1) && ::WaitForSingleObject(process.get(), 5000); }

    // STILL_ACTIVE when it has not ended within 15 s.
    DWORD exitCode() const {
        DWORD code = STILL_ACTIVE;
        waitUntil([&] { return ::GetExitCodeProcess(process.get(), &code) && code != STILL_ACTIVE; }, 15s);
        return code;
    }
    win32::UniqueHandle process;
};

// Whether the window comes to show `path` above the system's short form of
// it; its first two children are the long and the short field.
bool shows(HWND window, const std::wstring& path) {
    const HWND longField = ::GetWindow(window, GW_CHILD);
    const auto fields = [&] { return textOf(longField) + L"|" + textOf(::GetWindow(longField, GW_HWNDNEXT)); };
    return waitUntil([&] { return fields() == path + L"|" + systemShortPath(path); }, 5s);
}

// The window shows no forms and says why the path, or the start of it, cannot be read.
bool refuses(HWND window, const std::wstring& path) {
    const HWND longField = ::GetWindow(window, GW_CHILD);
    return waitUntil(
        [&] {
            return textOf(longField).empty() &&
                   textOf(::GetWindow(longField, GW_HWNDNEXT)).starts_with(L"Cannot read " + path);
        },
        5s);
}

class HandOffTest : public ::testing::Test {
protected:
    TempTree tree;
    const std::wstring first = tree.add(L"First Long File Name.text");
    const std::wstring second = tree.add(L"Second Folder\\Another Long Name.text");
};

TEST_F(HandOffTest, ASecondStartHandsItsPathToTheMinimizedFirstAndEnds) {
    Program running(first);
    const HWND window = mainWindow();
    ASSERT_TRUE(window);
    // Shown with its forms, the window has the short form focused and selected whole.
    const HWND shortField = ::GetWindow(::GetWindow(window, GW_CHILD), GW_HWNDNEXT);
    ASSERT_TRUE(shows(window, first));
    GUITHREADINFO input{sizeof input, {}, {}, {}, {}, {}, {}, {}, {}};
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &input);
    EXPECT_EQ(input.hwndFocus, shortField);
    EXPECT_EQ(::SendMessageW(shortField, EM_GETSEL, 0, 0), MAKELRESULT(0, textOf(shortField).size()));
    ::ShowWindow(window, SW_MINIMIZE);
    EXPECT_EQ(Program(second).exitCode(), 0u);
    EXPECT_TRUE(shows(window, second));
    EXPECT_FALSE(::IsIconic(window));
}

// A copy holds the single-instance name but does not serve the hand-off yet:
// it is still starting, or hung.
TEST_F(HandOffTest, ASecondStartWaitsForACopyStillStartingAndThenOpensItsOwnWindow) {
    // The single-instance name is part of the program's contract with its later copies.
    const win32::UniqueHandle startingCopy(::CreateMutexW(nullptr, FALSE, L"Local\\Twinpath.SingleInstance"));
    {
        Program later(second);
        waitUntil([] { return false; }, 1s);
        std::vector<std::wstring> pokes;
        win32::DdeServer server([&](const std::wstring& text) { pokes.push_back(text); });
        ASSERT_TRUE(server.start());
        EXPECT_EQ(later.exitCode(), 0u);
        EXPECT_EQ(pokes, std::vector<std::wstring>{second});
    }
    Program later(first);
    EXPECT_TRUE(shows(mainWindow(), first));
}

// Send To with several items whose paths hold no blank: the whole text names
// no file, so each of them is an item, and the first that can be read shows.
TEST_F(HandOffTest, StartsWithSeveralUnquotedItemsShowTheFirstThatCanBeRead) {
    const std::wstring a = tree.add(L"a.txt"), b = tree.add(L"b.txt"), c = tree.add(L"c.txt");
    Program running(a + L" " + b, true);
    EXPECT_TRUE(shows(mainWindow(), a));
    Program later(tree.root + L"\\gone.txt " + c, true);
    EXPECT_EQ(later.exitCode(), 0u);
    EXPECT_TRUE(shows(mainWindow(), c));
}

TEST_F(HandOffTest, BadInputLeavesTheWindowAnsweringAndAnsiTextIsReadInTheSystemsCodePage) {
    Program running(first);
    const HWND window = mainWindow();
    for (const std::wstring& bad : {tree.root + L"\\bad<name|.txt", std::wstring(L"CON"), first + L":stream",
                                    tree.root + L"\\nosuch.txt", tree.root + L"\\" + std::wstring(32000, L'x')}) {
        EXPECT_TRUE(win32::pokeRunningCopy(bad, 5s));
        // A text that names nothing is split at its blanks, and the first item is named.
        EXPECT_TRUE(refuses(window, bad.substr(0, std::min(bad.find(L' '), std::size_t{200})))) << bad.substr(0, 80);
    }
    // Longer than any command line: refused, so not handed over.
    EXPECT_FALSE(win32::pokeRunningCopy(std::wstring(win32::kMaxPokeChars + 1, L'x'), 5s));
    // An older peer pokes CF_TEXT in the system's ANSI code page.
    const std::wstring cafe = tree.add(L"Caf\u00e9 Menu.text");
    std::string ansi(cafe.size() * 2, '\0');
    ansi.resize(
        ::WideCharToMultiByte(::GetACP(), 0, cafe.data(), int(cafe.size()), ansi.data(), int(ansi.size()), {}, {}));
    const win32::UniqueDdeInstance dde =
        win32::initializeDde([](auto...) -> HDDEDATA { return {}; }, APPCMD_CLIENTONLY);
    const auto name = [&](const wchar_t* text) { return win32::makeDdeString(dde.get().value, text); };
    const auto service = name(win32::kDdeService), topic = name(win32::kDdeTopic), item = name(win32::kDdeItem);
    const win32::UniqueDdeConversation peer(::DdeConnect(dde.get().value, service.get(), topic.get(), nullptr));
    ::DdeClientTransaction(reinterpret_cast<BYTE*>(ansi.data()), DWORD(ansi.size() + 1), peer.get(), item.get(),
                           CF_TEXT, XTYP_POKE, 5000, nullptr);
    EXPECT_TRUE(shows(window, cafe));
}

// The first conversion can take seconds (a sleeping disk, a slow share): a
// second start meanwhile finds the hand-off service and waits for its answer.
TEST_F(HandOffTest, ASecondStartDuringASlowFirstConversionHandsOffToIt) {
    struct SlowFirstStart final : win32::StartupSteps {
        void converting() override { later.emplace(path), ::Sleep(3000); }
        void firstIdle() override {
            handedOff = later->exitCode() == 0 && shows(::FindWindowW(win32::kMainWindowClass, nullptr), path);
            ::PostQuitMessage(0);
        }
        std::wstring path;
        std::optional<Program> later;
        bool handedOff = false;
    } steps;
    steps.path = second;
    win32::runProgram(::GetModuleHandleW(nullptr), SW_SHOWNORMAL, {.steps = &steps, .fileSystem = nullptr});
    EXPECT_TRUE(steps.handedOff);
}

// The real file system, whose folder searches stop after their first entries
// while the gate is shut: a share that has stopped answering.
struct GatedFileSystem final : FileSystem {
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
    std::optional<std::uint32_t> attributes(const std::wstring& path) override { return real.attributes(path); }
    std::wstring whyUnreadable(const std::wstring& path) override { return real.whyUnreadable(path); }
    std::wstring shortPath(const std::wstring& path, std::wstring& why) override { return real.shortPath(path, why); }
    std::optional<std::wstring> shortName(const std::wstring& path) override { return real.shortName(path); }
    ShortNameFacts shortNameFacts(const std::wstring& folder) override { return real.shortNameFacts(folder); }
    std::wstring networkPath(const std::wstring& path) override { return real.networkPath(path); }
    std::unique_ptr<DirectorySearch> search(const std::wstring& pattern) override {
        return std::make_unique<Search>(real.search(pattern), gate.get());
    }
    std::optional<LocalTime> toLocalTime(std::uint64_t time) override { return real.toLocalTime(time); }

    win32::Win32FileSystem real;
    const win32::UniqueHandle gate{::CreateEventW(nullptr, TRUE, TRUE, nullptr)};
};

// The window's thread never waits on the file system: while a listing hangs
// in a search, the window answers, tells of the listing, stops it on Esc and
// takes a second start's path at once.
TEST_F(HandOffTest, AListingThatHangsLeavesTheWindowAnsweringAndEscOrANewPathStopsIt) {
    for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt"}) tree.add(name);
    const auto fileSystem = std::make_shared<GatedFileSystem>();
    win32::Win32ProcessServices process;
    win32::WorkerThread work;
    win32::MainWindow window(::GetModuleHandleW(nullptr), work);
    MainController controller(window, work, fileSystem, std::make_shared<win32::Win32TextServices>(), process);
    window.attach(controller);
    ASSERT_TRUE(window.create());
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
    std::atomic<bool> answered = false;
    const std::jthread other([&] {
        DWORD_PTR result = 0;
        answered = ::SendMessageTimeoutW(window.hwnd(), WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result) != 0;
    });
    EXPECT_TRUE(waitUntil([&] { return answered.load(); }));
    MSG escape{shortField, WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
    if (!window.preTranslate(escape)) ::DispatchMessageW(&escape);
    EXPECT_EQ(textOf(shortField), L"Listing cancelled: nothing was copied.");
    EXPECT_EQ(pointer(), ::LoadCursorW(nullptr, IDC_ARROW));
    ::SetEvent(fileSystem->gate.get());
    window.awaitWork(10000);
    // A second start while a listing hangs hands its path over; the path waits behind the hanging search.
    ASSERT_TRUE(listHanging());
    EXPECT_EQ(Program(second).exitCode(), 0u);
    EXPECT_TRUE(waitUntil([&] { return textOf(shortField) == L"Reading " + second + L"\u2026"; }));
    ::SetEvent(fileSystem->gate.get());
    EXPECT_TRUE(shows(window.hwnd(), second));
    EXPECT_EQ(clipboardText(), L"kept");
}
