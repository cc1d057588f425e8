#include "tests/fakes/FakeTextServices.h"

namespace twinpath::fakes {

namespace {

bool isSmall(wchar_t c) {
    return (c >= L'a' && c <= L'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7) || (c >= 0x430 && c <= 0x44F) ||
           (c >= 0xFF41 && c <= 0xFF5A);
}

bool isCapital(wchar_t c) {
    return (c >= L'A' && c <= L'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x410 && c <= 0x42F) ||
           (c >= 0xFF21 && c <= 0xFF3A);
}

wchar_t upper(wchar_t c) { return isSmall(c) ? static_cast<wchar_t>(c - 0x20) : c; }
wchar_t lower(wchar_t c) { return isCapital(c) ? static_cast<wchar_t>(c + 0x20) : c; }

}  // namespace

std::wstring FakeTextServices::toUpper(const std::wstring& text) {
    std::wstring out = text;
    for (auto& c : out) c = upper(c);
    return out;
}

std::wstring FakeTextServices::toLower(const std::wstring& text) {
    std::wstring out = text;
    for (auto& c : out) c = lower(c);
    return out;
}

int FakeTextServices::compareNoCase(const std::wstring& a, const std::wstring& b) {
    ++comparisons;
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const wchar_t x = lower(a[i]);
        const wchar_t y = lower(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

}  // namespace twinpath::fakes
