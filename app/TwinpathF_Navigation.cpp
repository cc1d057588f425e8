// The "<" and ">" buttons: one folder level up from the shown long form, and
// back down towards the last input path.
#include "app/Texts.h"
#include "app/TwinpathF.h"

namespace twinpath {

void TwinpathF::BtnDirLV_Click(std::int16_t Index) {
    const std::wstring current = window_.fieldText(0);
    if (current.empty()) {
        window_.setFieldText(1, texts::kPrompt);
        return;
    }
    if (Index == 0)
        goUp(current);
    else
        goDown(current);
}

namespace {

std::size_t afterNextSeparator(const std::wstring& path, std::size_t from) {
    const auto separator = path.find(L'\\', from);
    return separator == std::wstring::npos ? separator : separator + 1;
}

// "UNC\" in any case at `at`.
bool uncMarkerAt(const std::wstring& path, std::size_t at) {
    if (path.size() < at + 4 || path[at + 3] != L'\\') return false;
    for (std::size_t i = 0; i < 3; ++i)
        if ((path[at + i] & ~0x20) != L"UNC"[i]) return false;
    return true;
}

// Where the part that "<" never cuts ends: after a drive root ("C:\"), or
// after the server of a UNC path, so that its share is the highest level. The
// "\\?\" and "\\.\" forms wrap a UNC path after "UNC\" and otherwise a volume
// ("C:\", "Volume{...}\"), which counts as a drive. npos for other shapes.
std::size_t keptHeadLength(const std::wstring& path) {
    if (path.starts_with(L"\\\\?\\") || path.starts_with(L"\\\\.\\"))
        return afterNextSeparator(path, uncMarkerAt(path, 4) ? 8 : 4);
    if (path.size() >= 3 && path[0] == L'\\' && path[1] == L'\\') return afterNextSeparator(path, 2);
    if (path.size() >= 3 && path[1] == L':' && path[2] == L'\\') return 3;
    return std::wstring::npos;
}

}  // namespace

void TwinpathF::goUp(const std::wstring& current) {
    // The top is the first level below a drive root, or the share of a UNC
    // path: the part before `top` is never cut.
    const std::size_t top = keptHeadLength(current);
    if (top == std::wstring::npos) return;
    const auto lastSeparator = current.rfind(L'\\');
    if (lastSeparator == std::wstring::npos || lastSeparator < top) return;
    converter().pInFileName(current.substr(0, lastSeparator));
    Option1_Click(intCaseSel);
}

void TwinpathF::goDown(const std::wstring& current) {
    // Only the lengths are compared: the shown text may be in another case.
    if (strBasePath.size() == current.size()) return;
    const std::size_t from = current.size() + 1;
    const auto nextSeparator = from < strBasePath.size() ? strBasePath.find(L'\\', from) : std::wstring::npos;
    converter().pInFileName(nextSeparator == std::wstring::npos || nextSeparator < 1
                                ? strBasePath
                                : strBasePath.substr(0, nextSeparator));
    Option1_Click(intCaseSel);
}

}  // namespace twinpath
