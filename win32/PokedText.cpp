#include "win32/PokedText.h"

#include <algorithm>
#include <cstring>

namespace twinpath::win32 {

namespace {

std::optional<std::wstring> fromUnicode(std::span<const std::byte> bytes) {
    // An odd last byte is half a character: dropped.
    std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
    std::memcpy(text.data(), bytes.data(), text.size() * sizeof(wchar_t));
    text.resize(std::min(text.size(), text.find(L'\0')));
    if (text.size() > kMaxPokeChars) return std::nullopt;
    return text;
}

std::optional<std::wstring> fromAnsi(std::span<const std::byte> bytes, UINT codePage) {
    const auto* begin = reinterpret_cast<const char*>(bytes.data());
    const auto* end = std::find(begin, begin + bytes.size(), '\0');
    const int length = static_cast<int>(end - begin);
    if (length == 0) return std::wstring();
    const int needed = ::MultiByteToWideChar(codePage, 0, begin, length, nullptr, 0);
    if (needed <= 0 || static_cast<std::size_t>(needed) > kMaxPokeChars) return std::nullopt;
    std::wstring text(static_cast<std::size_t>(needed), L'\0');
    if (::MultiByteToWideChar(codePage, 0, begin, length, text.data(), needed) != needed) return std::nullopt;
    return text;
}

}  // namespace

std::optional<std::wstring> textFromPoke(UINT format, std::span<const std::byte> bytes, UINT ansiCodePage) {
    if (bytes.size() > kPokeBytesToRead) bytes = bytes.first(kPokeBytesToRead);
    if (format == CF_UNICODETEXT) return fromUnicode(bytes);
    if (format == CF_TEXT) return fromAnsi(bytes, ansiCodePage);
    return std::nullopt;
}

}  // namespace twinpath::win32
