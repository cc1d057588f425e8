#pragma once

#include <string>

#include "ports/TextServices.h"

namespace twinpath::win32 {

// Case mapping and collation of the user's and the system's locale.
class Win32TextServices final : public TextServices {
public:
    Win32TextServices();

    std::wstring toUpper(const std::wstring& text) override;
    std::wstring toLower(const std::wstring& text) override;
    int compareNoCase(const std::wstring& a, const std::wstring& b) override;
    std::string sortKey(const std::wstring& text) override;

private:
    const wchar_t* locale() const;

    // Empty means the user's locale, the fallback when the system's is unknown.
    wchar_t systemLocale_[85]{};  // LOCALE_NAME_MAX_LENGTH
};

}  // namespace twinpath::win32
