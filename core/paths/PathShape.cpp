#include "paths/PathShape.h"

namespace twinpath {

namespace {

constexpr auto npos = std::wstring_view::npos;

bool isDriveLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }
bool startsWithDrive(std::wstring_view text) { return text.size() >= 2 && isDriveLetter(text[0]) && text[1] == L':'; }

// ASCII letters compared without case; every other character exactly.
bool startsWithNoCase(std::wstring_view text, std::wstring_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        const wchar_t a = text[i];
        const wchar_t b = prefix[i];
        if (isDriveLetter(b) ? (a | 0x20) != (b | 0x20) : a != b) return false;
    }
    return true;
}

std::size_t afterSeparatorFrom(std::wstring_view path, std::size_t from) {
    const auto separator = path.find(L'\\', from);
    return separator == npos ? npos : separator + 1;
}

// A share after its server, which begins at `serverStart`: the root runs to
// the share's separator, or to the end when nothing follows the share.
PathShape shareShape(std::wstring_view path, PathShape shape, std::size_t serverStart) {
    const auto shareStart = afterSeparatorFrom(path, serverStart);
    if (shareStart == npos || shareStart == serverStart + 1 || shareStart == path.size() || path[shareStart] == L'\\') {
        shape.kind = PathShape::Kind::NoShare;
        return shape;
    }
    const auto shareEnd = afterSeparatorFrom(path, shareStart);
    shape.rootLength = shareEnd == npos ? path.size() : shareEnd;
    shape.topLength = shareStart;
    if (shape.kind == PathShape::Kind::NoShare) shape.kind = PathShape::Kind::Unc;
    return shape;
}

PathShape prefixedShape(std::wstring_view path) {
    using Kind = PathShape::Kind;
    const std::wstring_view rest = path.substr(4);
    if (startsWithNoCase(rest, L"UNC\\")) return shareShape(path, {Kind::PrefixedUnc, 8, 0, npos}, 8);
    if (startsWithDrive(rest) && rest.size() >= 3 && rest[2] == L'\\') return {Kind::PrefixedDrive, 4, 7, 7};
    if (startsWithNoCase(rest, L"Volume{")) {
        const auto end = rest.find(L"}\\");
        if (end != npos) return {Kind::Volume, 4, 4 + end + 2, 4 + end + 2};
    }
    const auto root = afterSeparatorFrom(path, 4);
    return {Kind::Object, 4, root == npos ? path.size() : root, root};
}

}  // namespace

PathShape shapeOf(std::wstring_view path) {
    using Kind = PathShape::Kind;
    if (path.starts_with(L"\\\\?\\") || path.starts_with(L"\\\\.\\") || path.starts_with(L"\\??\\"))
        return prefixedShape(path);
    if (path.starts_with(L"\\\\")) return shareShape(path, {Kind::NoShare, 0, 0, npos}, 2);
    if (startsWithDrive(path)) {
        if (path.size() >= 3 && path[2] == L'\\') return {Kind::Drive, 0, 3, 3};
        return {Kind::DriveRelative, 0, 0, npos};
    }
    return {};
}

bool isRelativeStep(const std::wstring& item) { return item == L"." || item == L".."; }

}  // namespace twinpath
