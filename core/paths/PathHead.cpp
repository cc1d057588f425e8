#include "paths/PathHead.h"

namespace twinpath {

namespace {

bool isDriveLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

// ASCII letters compared without case; every other character exactly.
bool startsWithNoCase(std::wstring_view text, std::wstring_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        const wchar_t a = text[i];
        const wchar_t b = prefix[i];
        const bool letter = (b >= L'A' && b <= L'Z') || (b >= L'a' && b <= L'z');
        if (letter ? (a | 0x20) != (b | 0x20) : a != b) return false;
    }
    return true;
}

std::size_t afterNextSeparator(const std::wstring& path, std::size_t from) {
    const auto separator = path.find(L'\\', from);
    return separator == std::wstring::npos ? separator : separator + 1;
}

}  // namespace

PathHead splitHead(const std::wstring& path) {
    if (path.size() < 3) return {};
    if (path[0] == L'\\' && path[1] == L'\\') {
        const auto serverEnd = path.find(L'\\', 2);
        // "\\server" alone names no share: it has no head of its own.
        if (serverEnd == std::wstring::npos || serverEnd == 2) return {};
        const auto shareEnd = path.find(L'\\', serverEnd + 1);
        if (shareEnd == serverEnd + 1) return {};
        return {PathHead::Kind::Unc, shareEnd == std::wstring::npos ? path.size() : shareEnd + 1};
    }
    if (isDriveLetter(path[0]) && path[1] == L':' && path[2] == L'\\') return {PathHead::Kind::Drive, 3};
    return {};
}

bool isRelativeStep(const std::wstring& item) { return item == L"." || item == L".."; }

bool isFullPath(const std::wstring& path) {
    if (path.size() >= 2 && path[0] == L'\\' && path[1] == L'\\') return true;
    return path.size() >= 3 && isDriveLetter(path[0]) && path[1] == L':' && path[2] == L'\\';
}

PrefixedRoot splitPrefixedRoot(std::wstring_view path) {
    if (!path.starts_with(L"\\\\?\\") && !path.starts_with(L"\\\\.\\") && !path.starts_with(L"\\??\\")) return {};
    const std::wstring_view rest = path.substr(4);
    if (startsWithNoCase(rest, L"UNC\\")) return {PrefixedRoot::Kind::Unc, 8};
    if (rest.size() >= 3 && isDriveLetter(rest[0]) && rest[1] == L':' && rest[2] == L'\\')
        return {PrefixedRoot::Kind::Drive, 6};
    if (startsWithNoCase(rest, L"Volume{")) {
        const auto end = rest.find(L"}\\");
        if (end != std::wstring_view::npos) return {PrefixedRoot::Kind::Volume, 4 + end + 1};
    }
    return {PrefixedRoot::Kind::Other, 4};
}

std::size_t listingRootLength(const std::wstring& path) {
    if (path.size() <= 2) return 0;
    if (path[0] == L'\\' && path[1] == L'\\') {
        const auto serverEnd = path.find(L'\\', 2);
        if (serverEnd == std::wstring::npos) return path.size();
        const auto shareEnd = path.find(L'\\', serverEnd + 1);
        return shareEnd == std::wstring::npos ? path.size() : shareEnd + 1;
    }
    const auto first = path.find(L'\\');
    return first == std::wstring::npos ? 0 : first + 1;
}

std::size_t levelTopLength(const std::wstring& path) {
    if (path.starts_with(L"\\\\?\\") || path.starts_with(L"\\\\.\\")) {
        const bool unc = splitPrefixedRoot(path).kind == PrefixedRoot::Kind::Unc;
        return afterNextSeparator(path, unc ? 8 : 4);
    }
    if (path.size() >= 3 && path[0] == L'\\' && path[1] == L'\\') return afterNextSeparator(path, 2);
    if (path.size() >= 3 && path[1] == L':' && path[2] == L'\\') return 3;
    return std::wstring::npos;
}

}  // namespace twinpath
