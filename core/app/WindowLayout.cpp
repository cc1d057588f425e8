#include "app/WindowLayout.h"

#include <algorithm>
#include <array>

namespace twinpath {

namespace {

using G = ControlGroup;
using K = ControlKind;

constexpr std::array<ControlDesign, 14> kControls{{
    {G::NameField, 0, K::TextField, L"TextLong", {0, 300, 7575, 270}, true},
    {G::NameField, 1, K::TextField, L"TextShort", {0, 900, 7575, 270}, true},
    {G::CopyButton, 0, K::PushButton, L"Copy", {2400, 20, 855, 255}, false},
    {G::CopyButton, 1, K::PushButton, L"Copy", {2400, 620, 855, 255}, false},
    {G::ListButton, 0, K::PushButton, L"List", {3840, 20, 855, 255}, true},
    {G::CaseOption, 0, K::OptionButton, L"Normal", {3840, 640, 975, 180}, true},
    {G::CaseOption, 1, K::OptionButton, L"Upper", {4920, 640, 975, 180}, true},
    {G::CaseOption, 2, K::OptionButton, L"Lower", {5880, 640, 975, 180}, true},
    {G::LevelButton, 0, K::PushButton, L"<", {5880, 20, 375, 255}, false},
    {G::LevelButton, 1, K::PushButton, L">", {6360, 20, 375, 255}, false},
    // The headings reach into the markers' boxes: they come first, so that
    // they lie above the markers, whose text ends before the headings begin.
    {G::Label, 0, K::Label, L"Long File Name", {720, 80, 1935, 255}, true},
    {G::Label, 3, K::Label, L"Short File Name", {720, 660, 2055, 255}, true},
    {G::Label, 1, K::Label, L"<--->", {80, 660, 855, 255}, true},
    {G::Label, 2, K::Label, L">---<", {80, 75, 735, 255}, true},
}};

int scale(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

}  // namespace

std::span<const ControlDesign> controlTable() { return kControls; }

int twipsToPixels(int twips, int dpi) { return scale(twips, dpi, 1440); }

int pixelsToTwips(int pixels, int dpi) { return dpi > 0 ? scale(pixels, 1440, dpi) : 0; }

OuterSize outerLimits(int dpi, OuterSize framePixels) {
    return {std::max(twipsToPixels(kMinimumOuterWidthTwips, dpi),
                     twipsToPixels(kDesignClientWidthTwips, dpi) + framePixels.width),
            std::max(twipsToPixels(kFixedOuterHeightTwips, dpi),
                     twipsToPixels(kDesignClientHeightTwips, dpi) + framePixels.height)};
}

OuterSize constrainOuterSize(OuterSize requestedPixels, OuterSize limits) {
    return {std::max(requestedPixels.width, limits.width), limits.height};
}

}  // namespace twinpath
