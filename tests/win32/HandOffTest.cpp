// The built program in processes of its own: a second start hands its path
// to the running copy, waits for one that is still starting, and opens its
// own window when none answers; bad input from peers changes nothing else.
#include "tests/win32/Support.h"
#include "win32/DdeClient.h"
#include "win32/DdeNames.h"
#include "win32/DdeServer.h"
#include "win32/MainWindow.h"
#include "win32/Program.h"

using namespace twinpath::wine;

// The program's main window once one is visible; null when none appears.
HWND mainWindow() {
    HWND window = nullptr;
    waitUntil([&] { return (window = ::FindWindowW(win32::kMainWindowClass, nullptr)) && ::IsWindowVisible(window); });
    return window;
}

// A copy of the built program started with a path, ended when the test is done with it.
struct Program {
    explicit Program(const std::wstring& path) {
        std::wstring commandLine = L"\"" TWINPATH_EXE L"\" \"" + path + L"\"";
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

TEST_F(HandOffTest, BadInputLeavesTheWindowAnsweringAndAnsiTextIsReadInTheSystemsCodePage) {
    Program running(first);
    const HWND window = mainWindow();
    for (const std::wstring& bad : {tree.root + L"\\bad<name|.txt", std::wstring(L"CON"), first + L":stream",
                                    tree.root + L"\\" + std::wstring(32000, L'x')}) {
        EXPECT_TRUE(win32::pokeRunningCopy(bad, 5s));
        EXPECT_TRUE(shows(window, L"")) << bad.substr(0, 80);
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
    win32::runProgram(::GetModuleHandleW(nullptr), SW_SHOWNORMAL, &steps);
    EXPECT_TRUE(steps.handedOff);
}
