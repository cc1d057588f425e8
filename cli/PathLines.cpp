#include "cli/PathLines.h"

#include <optional>

namespace twinpath::cli {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

std::size_t utf8Length(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

// The character of a complete sequence of `length` bytes; nothing when it is
// overlong, a surrogate, beyond U+10FFFF or has a byte that does not continue.
std::optional<char32_t> utf8Character(std::string_view bytes, std::size_t length) {
    char32_t character = static_cast<unsigned char>(bytes[0]) & (length == 1 ? 0x7F : 0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if ((byte & 0xC0) != 0x80) return std::nullopt;
        character = character << 6 | (byte & 0x3F);
    }
    constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (character < kLeast[length] || character > 0x10FFFF || (character >= 0xD800 && character <= 0xDFFF))
        return std::nullopt;
    return character;
}

}  // namespace

bool PathLines::feed(std::string_view bytes) {
    pending_.append(bytes);
    return decode(false);
}

bool PathLines::finish() { return decode(true) && endLine(); }

bool PathLines::decode(bool atEnd) {
    if (encoding_ == Encoding::Unknown) {
        if (!atEnd && pending_.size() < 3 && std::string_view("\xEF\xBB\xBF").starts_with(pending_)) return true;
        if (!atEnd && pending_.size() < 2 && pending_ == "\xFF") return true;
        encoding_ = pending_.starts_with("\xFF\xFE") ? Encoding::Utf16 : Encoding::Utf8;
        if (pending_.starts_with("\xEF\xBB\xBF")) pending_.erase(0, 3);
        if (encoding_ == Encoding::Utf16) pending_.erase(0, 2);
    }
    std::size_t at = 0;
    bool going = true;
    if (encoding_ == Encoding::Utf16) {
        for (; going && at + 2 <= pending_.size(); at += 2)
            going = take(static_cast<char32_t>(static_cast<unsigned char>(pending_[at]) |
                                               static_cast<unsigned char>(pending_[at + 1]) << 8));
        if (going && atEnd && at < pending_.size()) {
            going = take(kReplacement);
            at = pending_.size();
        }
    } else {
        while (going && at < pending_.size()) {
            const std::size_t length = utf8Length(static_cast<unsigned char>(pending_[at]));
            if (length > 0 && at + length > pending_.size() && !atEnd) break;
            const auto character = length > 0 && at + length <= pending_.size()
                                       ? utf8Character(std::string_view(pending_).substr(at), length)
                                       : std::nullopt;
            going = take(character.value_or(kReplacement));
            // Decoding picks up right after a byte that begins no valid sequence.
            at += character ? length : 1;
        }
    }
    pending_.erase(0, at);
    return going;
}

bool PathLines::take(char32_t character) {
    if (character == U'\n') return endLine();
    if constexpr (sizeof(wchar_t) == 2) {
        if (character > 0xFFFF) {
            line_ += static_cast<wchar_t>(0xD800 + ((character - 0x10000) >> 10));
            line_ += static_cast<wchar_t>(0xDC00 + (character & 0x3FF));
            return true;
        }
    }
    line_ += static_cast<wchar_t>(character);
    return true;
}

bool PathLines::endLine() {
    if (line_.ends_with(L'\r')) line_.pop_back();
    const bool blank = line_.find_first_not_of(L" \t") == std::wstring::npos;
    const bool going = blank || onLine_(line_);
    line_.clear();
    return going;
}

}  // namespace twinpath::cli
