#include "win32/Win32TextServices.h"

#include <windows.h>

#include <climits>

namespace twinpath::win32 {

namespace {

std::wstring mapCase(const std::wstring& text, DWORD flags) {
    if (text.empty() || text.size() > INT_MAX) return text;
    std::wstring mapped(text.size(), L'\0');
    // Without linguistic casing the mapping is one character for one, so the
    // output has the input's length.
    const int written = ::LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, text.data(), static_cast<int>(text.size()),
                                        mapped.data(), static_cast<int>(mapped.size()), nullptr, nullptr, 0);
    return written == static_cast<int>(text.size()) ? mapped : text;
}

}  // namespace

std::wstring Win32TextServices::toUpper(const std::wstring& text) { return mapCase(text, LCMAP_UPPERCASE); }

std::wstring Win32TextServices::toLower(const std::wstring& text) { return mapCase(text, LCMAP_LOWERCASE); }

Win32TextServices::Win32TextServices() {
    // Not every system takes LOCALE_NAME_SYSTEM_DEFAULT in CompareStringEx:
    // ask for the system locale's name once instead.
    if (::GetSystemDefaultLocaleName(systemLocale_, LOCALE_NAME_MAX_LENGTH) == 0) systemLocale_[0] = L'\0';
}

int Win32TextServices::compareNoCase(const std::wstring& a, const std::wstring& b) {
    const auto clamp = [](std::size_t n) { return static_cast<int>(n > INT_MAX ? INT_MAX : n); };
    const wchar_t* locale = systemLocale_[0] ? systemLocale_ : LOCALE_NAME_USER_DEFAULT;
    const int result = ::CompareStringEx(locale, NORM_IGNORECASE, a.data(), clamp(a.size()), b.data(), clamp(b.size()),
                                         nullptr, nullptr, 0);
    if (result == 0) return a.compare(b);  // not comparable: fall back to code order
    return result - CSTR_EQUAL;
}

}  // namespace twinpath::win32
