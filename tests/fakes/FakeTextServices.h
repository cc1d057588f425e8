#pragma once

#include "platform/TextServices.h"

namespace twinpath::fakes {

// A stand-in for the locale: case mapping of ASCII, Latin-1, Cyrillic and
// full-width Latin letters, and comparison of the case-folded code points,
// which puts a blank before digits and letters as a locale collation does.
class FakeTextServices final : public TextServices {
public:
    std::wstring toUpper(const std::wstring& text) override;
    std::wstring toLower(const std::wstring& text) override;
    int compareNoCase(const std::wstring& a, const std::wstring& b) override;

    long comparisons = 0;
};

}  // namespace twinpath::fakes
