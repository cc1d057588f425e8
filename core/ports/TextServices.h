#pragma once

#include <string>

namespace twinpath {

// Locale-aware text operations of the platform.
class TextServices {
public:
    virtual ~TextServices() = default;

    // Maps every letter to its capital or small form, one character for one.
    virtual std::wstring toUpper(const std::wstring& text) = 0;
    virtual std::wstring toLower(const std::wstring& text) = 0;

    // Compares without regard to case in the locale's collation:
    // negative, zero or positive as `a` sorts before, with or after `b`.
    virtual int compareNoCase(const std::wstring& a, const std::wstring& b) = 0;
    // The text's sort key under the same comparison: two keys compared as
    // unsigned bytes order as compareNoCase orders their texts.
    virtual std::string sortKey(const std::wstring& text) = 0;
};

}  // namespace twinpath
