#include "pathname/PathShape.h"

namespace twinpath {

namespace {

bool isDriveLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

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

}  // namespace twinpath
