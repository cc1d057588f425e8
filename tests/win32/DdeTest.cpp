#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/DdeClient.h"
#include "platform/win32/DdeServer.h"
#include "tests/win32/DdeTestSupport.h"

namespace twinpath {
namespace {

using namespace std::chrono_literals;
using Pokes = std::vector<std::wstring>;
using wine::RawClient;
using wine::ServerThread;

class DdeHandOffTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server.started()); }

    ServerThread server;
};

TEST_F(DdeHandOffTest, TextInAnyScriptArrivesExactly) {
    std::wstring deep = L"C:";
    while (deep.size() < 300) deep += L"\\Folder " + std::to_wstring(deep.size());
    const Pokes texts = {L"C:\\日本語のフォルダ\\ファイル名.txt", L"D:\\Папка с данными\\Файл.txt",
                         deep + L"\\end.txt", L"\\\\server\\share\\emoji \U0001F600.txt"};
    for (const std::wstring& text : texts) EXPECT_TRUE(win32::pokeRunningCopy(text, 2s));
    EXPECT_EQ(server.pokes(), texts);
}

TEST_F(DdeHandOffTest, PlainTextFromOlderClientsIsConvertedFromTheAnsiCodePage) {
    std::wstring text = L"C:\\Temp\\Données\\naïve.txt";
    BOOL lossy = FALSE;
    std::string ansi(text.size() * 4, '\0');
    ansi.resize(::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.c_str(),
                                      static_cast<int>(text.size()), ansi.data(),
                                      static_cast<int>(ansi.size()), nullptr, &lossy));
    if (lossy) {  // the ANSI code page here lacks the accents
        text = L"C:\\Temp\\plain.txt";
        ansi = "C:\\Temp\\plain.txt";
    }
    RawClient client;
    ASSERT_TRUE(client.connected());
    EXPECT_TRUE(client.poke(win32::kDdeItem, CF_TEXT, ansi.c_str(), ansi.size() + 1));
    EXPECT_EQ(server.pokes(), Pokes{text});
}

TEST_F(DdeHandOffTest, TextEndsAtItsFirstNul) {
    RawClient client;
    ASSERT_TRUE(client.connected());
    for (const std::wstring& data :
         {std::wstring(L"C:\\a.txt\0garbage\xFFFF", 18), std::wstring(L"\0C:\\b", 5)})
        EXPECT_TRUE(client.poke(win32::kDdeItem, CF_UNICODETEXT, data.data(), data.size() * sizeof(wchar_t)));
    EXPECT_TRUE(client.poke(win32::kDdeItem, CF_UNICODETEXT, L"", 0));
    EXPECT_EQ(server.pokes(), (Pokes{L"C:\\a.txt", L"", L""}));
}

TEST_F(DdeHandOffTest, MalformedPokesNeverReachTheHandler) {
    RawClient client;
    ASSERT_TRUE(client.connected());
    std::vector<unsigned char> binary(4096);
    for (std::size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<unsigned char>(i * 7919);
    const UINT privateFormat = ::RegisterClipboardFormatW(L"Twinpath test binary");
    const std::wstring megabyte(512 * 1024, L'a');
    const std::wstring path = L"C:\\a.txt";

    EXPECT_FALSE(client.poke(win32::kDdeItem, privateFormat, binary.data(), binary.size()));
    EXPECT_FALSE(client.poke(win32::kDdeItem, CF_BITMAP, binary.data(), binary.size()));
    EXPECT_FALSE(client.poke(win32::kDdeItem, CF_UNICODETEXT, megabyte.c_str(), megabyte.size() * 2 + 2));
    EXPECT_FALSE(client.poke(L"OtherItem", CF_UNICODETEXT, path.c_str(), path.size() * 2 + 2));
    EXPECT_FALSE(RawClient(L"OtherTopic").connected());
    EXPECT_EQ(server.pokes(), Pokes{});

    // The server still takes good text afterwards.
    EXPECT_TRUE(win32::pokeRunningCopy(L"C:\\still\\serving.txt", 2s));
    EXPECT_EQ(server.pokes(), Pokes{L"C:\\still\\serving.txt"});
}

TEST_F(DdeHandOffTest, LongestCommandLineIsTheLimit) {
    const std::wstring longest(win32::kMaxPokeChars, L'x');
    EXPECT_TRUE(win32::pokeRunningCopy(longest, 2s));
    EXPECT_FALSE(win32::pokeRunningCopy(longest + L"x", 2s));
    EXPECT_EQ(server.pokes(), Pokes{longest});
}

TEST_F(DdeHandOffTest, APeerProcessHandsOffItsCommandLine) {
    const std::wstring text = L"C:\\日本語\\Папка\\file name.txt";
    EXPECT_EQ(wine::runPokeHelper(text), 0u);
    EXPECT_EQ(server.pokes(), Pokes{text});
}

TEST(DdeHandOffPatienceTest, NoRunningCopyMeansNoHandOff) {
    const DWORD exitCode = wine::runPokeHelper(L"C:\\lost.txt");
    EXPECT_NE(exitCode, wine::kHelperHung);
    EXPECT_EQ(exitCode, 1u);
}

TEST(DdeHandOffPatienceTest, ACopyStillStartingIsWaitedFor) {
    std::unique_ptr<ServerThread> server;
    std::thread starter([&server] {
        std::this_thread::sleep_for(300ms);
        server = std::make_unique<ServerThread>();
    });
    const bool handedOff = win32::pokeRunningCopy(L"C:\\late.txt", 10s);
    starter.join();
    ASSERT_TRUE(server->started());
    EXPECT_TRUE(handedOff);
    EXPECT_EQ(server->pokes(), Pokes{L"C:\\late.txt"});
}

TEST(DdeServerTest, OneServerPerThreadAndTheNameIsFreedWithIt) {
    auto first = std::make_unique<win32::DdeServer>(nullptr);
    ASSERT_TRUE(first->start());
    EXPECT_FALSE(win32::DdeServer(nullptr).start());
    first.reset();
    EXPECT_TRUE(win32::DdeServer(nullptr).start());
}

}  // namespace
}  // namespace twinpath
