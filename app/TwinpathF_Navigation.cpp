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

void TwinpathF::goUp(const std::wstring& current) {
    // The top is the first level below a drive root, or the share of a UNC
    // path: the part before `top` is never cut.
    std::size_t top = 0;
    if (current.size() >= 3 && current[0] == L'\\' && current[1] == L'\\') {
        const auto serverEnd = current.find(L'\\', 2);
        if (serverEnd == std::wstring::npos) return;
        top = serverEnd + 1;
    } else if (current.size() >= 3 && current[1] == L':' && current[2] == L'\\') {
        top = 3;
    } else {
        return;
    }
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
