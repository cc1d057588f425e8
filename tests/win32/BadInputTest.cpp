// Bad input against the real program in a process of its own: paths that
// name nothing, devices, prefixed and stream forms, over-long and random text,
// given on the command line and poked by peers, with every button and menu
// command on top. Whatever comes in, the process lives, its window answers,
// it opens no other window (no error dialog), and the fields show nothing or
// the sound forms of an existing file or folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "app/Texts.h"
#include "platform/win32/BufferCall.h"
#include "platform/win32/Clipboard.h"
#include "platform/win32/DdeClient.h"
#include "platform/win32/DdeNames.h"
#include "platform/win32/ModeMenu.h"
#include "tests/win32/DdeTestSupport.h"
#include "tests/win32/ProgramUnderTest.h"
#include "tests/win32/TempTree.h"

namespace twinpath::wine {
namespace {

using namespace std::chrono_literals;
using G = ControlGroup;

std::wstring quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

bool sameIgnoringCase(const std::wstring& a, const std::wstring& b) {
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                  static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

// What a path call of the system gives for `path`; empty when it fails.
template <typename Call>
std::wstring systemForm(Call call, const std::wstring& path) {
    std::wstring result;
    if (!win32::callWithGrowingBuffer([&](wchar_t* b, DWORD n) { return call(path.c_str(), b, n); }, result))
        return {};
    return result;
}

bool isDriveRoot(std::wstring path) {
    if (path.starts_with(L"\\\\?\\") || path.starts_with(L"\\\\.\\")) path = path.substr(4);
    return path.size() == 3 && path[1] == L':' && path[2] == L'\\';
}

// Whether the listing of the path's folder holds the path's last name: true
// for files and folders, false for devices, streams and names that only
// resolve through some other entry.
bool listedByItsFolder(std::wstring path) {
    if (path.size() > 1 && path.back() == L'\\' && !isDriveRoot(path)) path.pop_back();
    if (isDriveRoot(path)) return (::GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const auto cut = path.rfind(L'\\');
    if (cut == std::wstring::npos) return false;
    const std::wstring name = path.substr(cut + 1);
    WIN32_FIND_DATAW entry{};
    const win32::UniqueFindHandle search(::FindFirstFileW((path.substr(0, cut + 1) + L"*").c_str(), &entry));
    if (search.get() == INVALID_HANDLE_VALUE) return false;
    do {
        if (sameIgnoringCase(entry.cFileName, name)) return true;
    } while (::FindNextFileW(search.get(), &entry));
    return false;
}

// The fields show nothing (the short one may hold the prompt), or an existing
// file or folder in its long form above the system's short form of it. The
// case options may have changed the case of both.
::testing::AssertionResult soundOrEmpty(const std::wstring& longForm, const std::wstring& shortForm) {
    if (longForm.empty()) {
        if (shortForm.empty() || shortForm == texts::kPrompt) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "an empty long field above \"" << shortForm << "\"";
    }
    if (!listedByItsFolder(longForm))
        return ::testing::AssertionFailure() << "\"" << longForm << "\" is no file or folder";
    if (const std::wstring system = systemForm(::GetLongPathNameW, longForm);
        !sameIgnoringCase(system, longForm))
        return ::testing::AssertionFailure()
               << "\"" << longForm << "\" is not a long form (\"" << system << "\")";
    if (const std::wstring system = systemForm(::GetShortPathNameW, longForm);
        !sameIgnoringCase(system, shortForm))
        return ::testing::AssertionFailure() << "\"" << shortForm << "\" is not the short form of \""
                                             << longForm << "\" (\"" << system << "\")";
    return ::testing::AssertionSuccess();
}

void expectAlive(const Program& program, HWND window) {
    ASSERT_TRUE(program.running());
    ASSERT_TRUE(responds(window));
    EXPECT_EQ(program.strayWindows(), std::vector<std::wstring>{});
}

// The state every input and every command must leave.
void expectHealthy(const Program& program, HWND window) {
    expectAlive(program, window);
    EXPECT_TRUE(soundOrEmpty(textOf(field(window, 0)), textOf(field(window, 1))));
}

enum class Outcome {
    Nothing,  // both fields empty
    Shown,    // the given long form and the system's short form of it
    Ignored,  // no input at all: a running copy keeps what it shows
};

struct Case {
    const char* what;
    std::wstring text;
    Outcome outcome;
    std::wstring shown = {};
    // A command line carries at most 32,767 characters.
    bool onCommandLine = true;
};

class BadInputTest : public ::testing::Test {
protected:
    std::vector<Case> cases() const {
        const std::wstring& r = tree.root();
        return {
            {"less-than", r + L"\\bad<name.text", Outcome::Nothing},
            {"greater-than", r + L"\\bad>name.text", Outcome::Nothing},
            {"bar", r + L"\\bad|name.text", Outcome::Nothing},
            {"quote", r + L"\\bad\"name.text", Outcome::Nothing},
            {"wildcard matching a file", r + L"\\Long File Name.tex?", Outcome::Nothing},
            {"star matching a file", r + L"\\Long*", Outcome::Nothing},
            {"star alone", r + L"\\*", Outcome::Nothing},
            {"CON", L"CON", Outcome::Nothing},
            {"NUL", L"NUL", Outcome::Nothing},
            {"COM1", L"COM1", Outcome::Nothing},
            {"LPT1 with a colon", L"LPT1:", Outcome::Nothing},
            {"NUL.txt in a missing folder", L"C:\\dir\\NUL.txt", Outcome::Nothing},
            {"NUL.txt in a real folder", r + L"\\NUL.txt", Outcome::Nothing},
            {"CON in a real folder", folder + L"\\CON", Outcome::Nothing},
            {"console through the device namespace", L"\\\\.\\CON", Outcome::Nothing},
            {"a pipe", L"\\\\.\\pipe\\twinpath-no-such-pipe", Outcome::Nothing},
            {"a volume", L"\\\\.\\C:", Outcome::Nothing},
            {"a volume, extended", L"\\\\?\\C:", Outcome::Nothing},
            {"extended file", L"\\\\?\\" + inner, Outcome::Shown, L"\\\\?\\" + inner},
            {"extended folder", L"\\\\?\\" + folder, Outcome::Shown, L"\\\\?\\" + folder},
            {"extended drive root", L"\\\\?\\C:\\", Outcome::Shown, L"\\\\?\\C:\\"},
            {"device-namespace file", L"\\\\.\\" + inner, Outcome::Shown, L"\\\\.\\" + inner},
            {"stream", file + L":stream", Outcome::Nothing},
            {"stream with type", file + L":stream:$DATA", Outcome::Nothing},
            {"main stream", file + L"::$DATA", Outcome::Nothing},
            {"stream of a folder", folder + L":stream", Outcome::Nothing},
            {"trailing dot", file + L".", Outcome::Shown, file},
            {"trailing blank", file + L" ", Outcome::Shown, file},
            {"trailing dots and blanks", file + L". . ", Outcome::Shown, file},
            {"folder with trailing dot", folder + L".", Outcome::Shown, folder},
            {"folder with trailing blank", folder + L" ", Outcome::Shown, folder},
            {"inner folder with a trailing blank", r + L"\\Sub Folder \\Inner File.text", Outcome::Nothing},
            {"only blanks", L"   ", Outcome::Nothing},
            {"the longest command line", r + L"\\" + std::wstring(32000, L'x'), Outcome::Nothing},
            {"40,000 characters", r + L"\\" + std::wstring(40000, L'x'), Outcome::Ignored, {}, false},
            {"empty text", L"", Outcome::Ignored},
        };
    }

    TempTree tree;
    const std::wstring file = tree.addFile(L"Long File Name.text");
    const std::wstring folder = tree.addFolder(L"Sub Folder");
    const std::wstring inner = tree.addFile(L"Sub Folder\\Inner File.text");
};

TEST_F(BadInputTest, PathsOnTheCommandLine) {
    for (const Case& c : cases()) {
        if (!c.onCommandLine) continue;
        SCOPED_TRACE(c.what);
        // A quote cannot be quoted: such a path goes bare (it holds no blank).
        Program program(c.text.find(L'"') == std::wstring::npos ? quoted(c.text) : c.text);
        const HWND window = program.window();
        ASSERT_TRUE(window);
        expectHealthy(program, window);
        const std::wstring expected = c.outcome == Outcome::Shown ? c.shown : L"";
        EXPECT_EQ(textOf(field(window, 0)), expected);
        if (c.outcome != Outcome::Shown) {
            EXPECT_EQ(textOf(field(window, 1)), L"");
        }
    }
}

// Every button and menu command, in an order that also walks up past the top
// and back down.
void pressEverything(const Program& program, HWND window) {
    const struct {
        const char* what;
        HWND target;
        UINT message;
        WPARAM command;
    } presses[] = {
        {"Copy long", control(window, G::BtnCopy, 0), BM_CLICK, 0},
        {"Copy short", control(window, G::BtnCopy, 1), BM_CLICK, 0},
        {"List", control(window, G::BtnListCopy), BM_CLICK, 0},
        {"Upper", control(window, G::Option1, 1), BM_CLICK, 0},
        {"Lower", control(window, G::Option1, 2), BM_CLICK, 0},
        {"Normal", control(window, G::Option1, 0), BM_CLICK, 0},
        {"names and sizes", window, WM_COMMAND, win32::ModeMenu::kFirstCommand + 1},
        {"names only", window, WM_COMMAND, win32::ModeMenu::kFirstCommand},
    };
    for (const auto& press : presses) {
        SCOPED_TRACE(press.what);
        ASSERT_TRUE(sendWithin(press.target, press.message, press.command, 0, 20s));
        expectHealthy(program, window);
    }
    const std::wstring before = textOf(field(window, 0));
    for (const int button : {0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1}) {
        SCOPED_TRACE(button == 0 ? "<" : ">");
        ASSERT_TRUE(sendWithin(control(window, G::BtnDirLV, button), BM_CLICK, 0, 0, 20s));
        expectHealthy(program, window);
    }
    // Seven levels up and down again come back to the path shown.
    EXPECT_EQ(textOf(field(window, 0)), before);
}

TEST_F(BadInputTest, PathsPokedByPeersThenEveryButton) {
    Program program(quoted(file));
    const HWND window = program.window();
    ASSERT_TRUE(window);
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.what);
        // Each input replaces a path that is shown, so that a change shows.
        ASSERT_TRUE(win32::pokeRunningCopy(folder, 5s));
        ASSERT_TRUE(waitUntil([&] { return textOf(field(window, 0)) == folder; }));
        win32::pokeRunningCopy(c.text, 5s);
        const std::wstring expected = c.outcome == Outcome::Shown     ? c.shown
                                      : c.outcome == Outcome::Ignored ? folder
                                                                      : L"";
        EXPECT_TRUE(waitUntil([&] { return textOf(field(window, 0)) == expected; }, 5s));
        expectHealthy(program, window);
        pressEverything(program, window);
    }
}

TEST_F(BadInputTest, RandomBytesPokedByAPeer) {
    Program program(quoted(file));
    const HWND window = program.window();
    ASSERT_TRUE(window);
    RawClient client;
    ASSERT_TRUE(client.connected());
    // A fixed seed: a failure comes back on every run.
    std::mt19937 random(7);
    std::uniform_int_distribution<int> byte(0, 255);
    const std::size_t sizes[] = {0, 1, 2, 3, 17, 260, 4096, 65535, 131072, 140001};
    const UINT formats[] = {CF_UNICODETEXT, CF_TEXT, CF_OEMTEXT, CF_HDROP,
                            ::RegisterClipboardFormatW(L"Twinpath random bytes")};
    int taken = 0;
    for (int round = 0; round < 50; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        std::vector<unsigned char> bytes(sizes[random() % std::size(sizes)]);
        for (auto& b : bytes) b = static_cast<unsigned char>(byte(random));
        const UINT format = formats[random() % std::size(formats)];
        const wchar_t* item = round % 5 == 4 ? L"NoSuchItem" : win32::kDdeItem;
        taken += client.poke(item, format, bytes.data(), bytes.size()) ? 1 : 0;
        expectHealthy(program, window);
        if (round % 10 == 9) {
            // Still takes a good path.
            ASSERT_TRUE(win32::pokeRunningCopy(inner, 5s));
            EXPECT_TRUE(waitUntil([&] { return textOf(field(window, 0)) == inner; }, 5s));
        }
    }
    // Text of the right item reached the program, which took it as a path
    // (and showed nothing for it).
    EXPECT_GT(taken, 0);
}

TEST_F(BadInputTest, FolderRemovedBeforeTheListGivesTheHeadingOfNoFolder) {
    const std::wstring doomed = tree.addFile(L"Going Away\\Last File.text");
    Program program(quoted(file));
    const HWND window = program.window();
    ASSERT_TRUE(window);
    ASSERT_TRUE(win32::pokeRunningCopy(doomed, 5s));
    ASSERT_TRUE(waitUntil([&] { return textOf(field(window, 0)) == doomed; }));
    ASSERT_TRUE(::DeleteFileW(doomed.c_str()));
    ASSERT_TRUE(::RemoveDirectoryW(tree.path(L"Going Away").c_str()));

    // The shown path names nothing now: each listing is the heading alone.
    const struct {
        const char* what;
        HWND target;
        UINT message;
        WPARAM command;
        std::wstring report;
    } presses[] = {
        {"List", control(window, G::BtnListCopy), BM_CLICK, 0, L"DIR : \r\n\r\n"},
        {"names and sizes", window, WM_COMMAND, win32::ModeMenu::kFirstCommand + 1,
         L"DIR : \r\n\r\n  SIZE   DATE       TIME   \tNAME\r\n"},
        {"names only", window, WM_COMMAND, win32::ModeMenu::kFirstCommand, L"DIR : \r\n\r\n"},
    };
    for (const auto& press : presses) {
        SCOPED_TRACE(press.what);
        ASSERT_TRUE(win32::setClipboardText(nullptr, L"before the listing"));
        ASSERT_TRUE(sendWithin(press.target, press.message, press.command, 0, 20s));
        expectAlive(program, window);
        EXPECT_EQ(clipboardText(), press.report);
    }
}

// Another program's thread that opens the clipboard and keeps it open until
// released (at most half a minute, so that nothing hangs).
class ClipboardHolder {
public:
    ClipboardHolder() {
        std::promise<bool> opened;
        std::future<bool> result = opened.get_future();
        thread_ = std::thread([this, opened = std::move(opened)]() mutable {
            const bool ok = ::OpenClipboard(nullptr) != FALSE;
            opened.set_value(ok);
            if (!ok) return;
            release_.get_future().wait_for(30s);
            ::CloseClipboard();
        });
        opened_ = result.get();
    }
    ~ClipboardHolder() {
        release();
        thread_.join();
    }
    ClipboardHolder(const ClipboardHolder&) = delete;
    ClipboardHolder& operator=(const ClipboardHolder&) = delete;

    bool opened() const { return opened_; }
    void release() {
        if (!released_.exchange(true)) release_.set_value();
    }

private:
    std::promise<void> release_;
    std::atomic<bool> released_{false};
    bool opened_ = false;
    std::thread thread_;
};

// The pointer of the foreground window's thread, as the desktop shows it.
HCURSOR shownPointer() {
    CURSORINFO info{};
    info.cbSize = sizeof(info);
    return ::GetCursorInfo(&info) ? info.hCursor : nullptr;
}

// The pointer the window sets when the mouse moves over it.
HCURSOR pointerOver(HWND window) {
    sendWithin(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE),
               2s);
    return shownPointer();
}

TEST_F(BadInputTest, ClipboardHeldByAnotherProgramIsGivenUpOnAndThePointerComesBack) {
    Program program(quoted(inner));
    const HWND window = program.window();
    ASSERT_TRUE(window);
    ASSERT_TRUE(waitUntil([&] { return textOf(field(window, 0)) == inner; }));
    ASSERT_EQ(::GetForegroundWindow(), window);
    const HCURSOR idle = pointerOver(window);
    ASSERT_TRUE(idle);
    ASSERT_TRUE(win32::setClipboardText(nullptr, L"held text"));

    std::set<HCURSOR> shownMeanwhile;
    {
        ClipboardHolder holder;
        ASSERT_TRUE(holder.opened());
        std::atomic<bool> done{false};
        std::thread sampler([&] {
            while (!done) {
                shownMeanwhile.insert(shownPointer());
                std::this_thread::sleep_for(2ms);
            }
        });
        // The command returns while the clipboard is still held.
        const bool returned = sendWithin(control(window, G::BtnListCopy), BM_CLICK, 0, 0, 20s);
        done = true;
        sampler.join();
        EXPECT_TRUE(returned);
        expectHealthy(program, window);
        EXPECT_EQ(shownPointer(), idle);
        EXPECT_EQ(pointerOver(window), idle);
    }
    // The busy pointer was shown (so the checks above could tell), and the
    // clipboard is as the holder left it.
    shownMeanwhile.erase(idle);
    EXPECT_FALSE(shownMeanwhile.empty());
    EXPECT_EQ(clipboardText(), L"held text");

    // Once free again, the clipboard takes the next listing.
    ASSERT_TRUE(sendWithin(control(window, G::BtnListCopy), BM_CLICK, 0, 0, 20s));
    EXPECT_EQ(clipboardText(), L"DIR : " + folder + L"\r\n\r\nInner File.text\r\n");
}

}  // namespace
}  // namespace twinpath::wine
