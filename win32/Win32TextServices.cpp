#include "win32/Win32TextServices.h"

#include <windows.h>

#include <climits>

namespace twinpath::win32 {

namespace {

// The comparison that orders listings: the locale's collation, case ignored.
constexpr DWORD kCollation = NORM_IGNORECASE;

int clamped(std::size_t length) { return static_cast<int>(length > INT_MAX ? INT_MAX : length); }

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

const wchar_t* Win32TextServices::locale() const { return systemLocale_[0] ? systemLocale_ : LOCALE_NAME_USER_DEFAULT; }

int Win32TextServices::compareNoCase(const std::wstring& a, const std::wstring& b) {
    const int result = ::CompareStringEx(locale(), kCollation, a.data(), clamped(a.size()), b.data(), clamped(b.size()),
                                         nullptr, nullptr, 0);
    if (result == 0) return a.compare(b);  // not comparable: fall back to code order
    return result - CSTR_EQUAL;
}

std::string Win32TextServices::sortKey(const std::wstring& text) {
    const DWORD flags = LCMAP_SORTKEY | kCollation;
    const int size =
        ::LCMapStringEx(locale(), flags, text.data(), clamped(text.size()), nullptr, 0, nullptr, nullptr, 0);
    // For a sort key the output is bytes, and its size is counted in bytes.
    std::string key(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0 && ::LCMapStringEx(locale(), flags, text.data(), clamped(text.size()),
                                    reinterpret_cast<LPWSTR>(key.data()), size, nullptr, nullptr, 0) == size)
        return key;
    // Not comparable: code order, as compareNoCase falls back to it.
    key.assign(1, '\xFF');
    for (const wchar_t unit : text) key += {static_cast<char>(unit >> 8), static_cast<char>(unit & 0xFF)};
    return key;
}

}  // namespace twinpath::win32
