#include <gtest/gtest.h>

#include <span>
#include <string>

#include "platform/win32/PokedText.h"

namespace twinpath {
namespace {

using win32::kMaxPokeChars;
using win32::textFromPoke;

std::span<const std::byte> bytesOf(const std::wstring& text) { return std::as_bytes(std::span(text)); }
std::span<const std::byte> bytesOf(const std::string& text) { return std::as_bytes(std::span(text)); }

TEST(PokedTextTest, TextEndsAtItsFirstNulAndAHalfCharacterIsDropped) {
    EXPECT_EQ(textFromPoke(CF_UNICODETEXT, bytesOf(std::wstring(L"C:\\a\0b", 6))), L"C:\\a");
    const std::wstring path = L"C:\\ファイル";
    EXPECT_EQ(textFromPoke(CF_UNICODETEXT, bytesOf(path).first(path.size() * 2 - 1)), L"C:\\ファイ");
    EXPECT_EQ(textFromPoke(CF_UNICODETEXT, {}), L"");
    EXPECT_EQ(textFromPoke(CF_TEXT, bytesOf(std::string("C:\\x.txt\0y", 10))), L"C:\\x.txt");
}

TEST(PokedTextTest, LimitIsTheLongestCommandLineInBothFormats) {
    for (const UINT format : {UINT{CF_UNICODETEXT}, UINT{CF_TEXT}}) {
        const auto poke = [format](std::size_t length, const std::wstring& tail = L"") {
            const std::wstring wide = std::wstring(length, L'x') + tail;
            return format == CF_TEXT ? textFromPoke(format, bytesOf(std::string(wide.begin(), wide.end())))
                                     : textFromPoke(format, bytesOf(wide));
        };
        EXPECT_EQ(poke(kMaxPokeChars).value_or(L"").size(), kMaxPokeChars);
        EXPECT_EQ(
            poke(kMaxPokeChars, std::wstring(1, L'\0') + std::wstring(100000, L'y')).value_or(L"").size(),
            kMaxPokeChars);
        EXPECT_FALSE(poke(kMaxPokeChars + 1));
        // Longer than the part that is read: refused without reading it all.
        EXPECT_FALSE(poke(win32::kPokeBytesToRead * 2));
    }
}

}  // namespace
}  // namespace twinpath
