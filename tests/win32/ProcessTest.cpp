// The real program in processes of its own: start-up, the hand-off from a
// second copy, and pokes from peer programs.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/win32/DdeClient.h"
#include "platform/win32/DdeNames.h"
#include "platform/win32/SingleInstance.h"
#include "tests/win32/DdeTestSupport.h"
#include "tests/win32/ProgramUnderTest.h"
#include "tests/win32/TempTree.h"

namespace twinpath::wine {
namespace {

using namespace std::chrono_literals;

class ProcessTest : public ::testing::Test {
protected:
    TempTree tree;
    const std::wstring first = tree.addFile(L"First Long File Name.text");
    const std::wstring second = tree.addFile(L"Second Folder\\Another Long Name.text");
};

TEST_F(ProcessTest, StartWithAPathShowsBothFormsAndSelectsTheShortOne) {
    Program program(L"\"" + first + L"\"");
    ASSERT_TRUE(program.started());
    const HWND window = program.window();
    ASSERT_TRUE(window);
    ASSERT_TRUE(waitUntil([&] { return textOf(field(window, 0)) == first; }));
    const std::wstring shortForm = textOf(field(window, 1));
    EXPECT_EQ(shortForm, systemShortPath(first));
    EXPECT_TRUE(textOf(window).ends_with(L"  Ver.1.3.0"));
    const auto selection = static_cast<DWORD>(::SendMessageW(field(window, 1), EM_GETSEL, 0, 0));
    EXPECT_EQ(LOWORD(selection), 0);
    EXPECT_EQ(HIWORD(selection), shortForm.size());
}

TEST_F(ProcessTest, SecondStartHandsItsPathToTheMinimizedFirstAndEnds) {
    Program running(L"\"" + first + L"\"");
    const HWND window = running.window();
    ASSERT_TRUE(window);
    ::ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(waitUntil([&] { return ::IsIconic(window) != FALSE; }));

    Program later(L"\"" + second + L"\"");
    EXPECT_EQ(later.waitForExit(15s), DWORD{0});
    EXPECT_TRUE(waitUntil([&] { return textOf(field(window, 0)) == second; }));
    EXPECT_TRUE(waitUntil([&] { return !::IsIconic(window); }));
    EXPECT_EQ(windowsOfTheProgram(), 1);
}

TEST_F(ProcessTest, SecondStartWithoutArgumentsLeavesTheFirstAlone) {
    Program running(L"\"" + first + L"\"");
    const HWND window = running.window();
    ASSERT_TRUE(window);
    ASSERT_TRUE(waitUntil([&] { return textOf(field(window, 0)) == first; }));
    Program later(L"");
    EXPECT_EQ(later.waitForExit(15s), DWORD{0});
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(textOf(field(window, 0)), first);
    EXPECT_EQ(windowsOfTheProgram(), 1);
}

TEST_F(ProcessTest, SecondStartOpensItsOwnWindowWhenTheRunningCopyDoesNotAnswer) {
    // A copy that holds the single-instance name but serves no DDE: one still
    // starting, or hung.
    win32::InstanceMutex silentCopy;
    Program later(L"\"" + second + L"\"");
    const HWND window = later.window();
    ASSERT_TRUE(window);
    EXPECT_TRUE(waitUntil([&] { return textOf(field(window, 0)) == second; }));
}

TEST_F(ProcessTest, PokesOfPeerProgramsAreTakenAndBadOnesChangeNothing) {
    Program running(L"\"" + first + L"\"");
    const HWND window = running.window();
    ASSERT_TRUE(window);
    ASSERT_TRUE(waitUntil([&] { return textOf(field(window, 0)) == first; }));

    EXPECT_TRUE(win32::pokeRunningCopy(second, 5s));
    EXPECT_TRUE(waitUntil([&] { return textOf(field(window, 0)) == second; }));

    RawClient client;
    ASSERT_TRUE(client.connected());
    const unsigned char binary[] = {0xFF, 0x00, 0xFE, 0x01, 0x80};
    client.poke(win32::kDdeItem, ::RegisterClipboardFormatW(L"Twinpath test binary"), binary, sizeof(binary));
    client.poke(win32::kDdeItem, CF_UNICODETEXT, nullptr, 0);
    // A megabyte of text. (Under Wine 8 a cross-process poke of 2 MB or more
    // hangs the receiving window inside Wine's DDE transport, before the
    // program sees it; Windows itself carries such pokes.)
    const std::wstring huge(std::size_t{1} << 19, L'x');
    client.poke(win32::kDdeItem, CF_UNICODETEXT, huge.c_str(), (huge.size() + 1) * sizeof(wchar_t));
    client.poke(L"OtherItem", CF_UNICODETEXT, first.c_str(), (first.size() + 1) * sizeof(wchar_t));
    std::this_thread::sleep_for(300ms);
    EXPECT_TRUE(responds(window));
    EXPECT_EQ(textOf(field(window, 0)), second);

    // Text with a NUL inside is taken up to the NUL.
    const std::wstring withNul = first + std::wstring(1, L'\0') + L"garbage";
    client.poke(win32::kDdeItem, CF_UNICODETEXT, withNul.c_str(), (withNul.size() + 1) * sizeof(wchar_t));
    EXPECT_TRUE(waitUntil([&] { return textOf(field(window, 0)) == first; }));
}

}  // namespace
}  // namespace twinpath::wine
