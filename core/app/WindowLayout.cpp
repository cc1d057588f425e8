#include "app/WindowLayout.h"

#include <algorithm>
#include <array>

namespace twinpath {

namespace {

using C = Control;
using K = ControlKind;

constexpr std::array<ControlDesign, kControlCount> kControls{{
    {C::LongField, K::TextField, L"TextLong", {0, 300, 7575, 270}, true},
    {C::ShortField, K::TextField, L"TextShort", {0, 900, 7575, 270}, true},
    // The long form's heading takes a count of the items given: its Copy
    // button and List stand to the right of where it can reach.
    {C::CopyLong, K::PushButton, L"Copy", {3840, 20, 855, 255}, false},
    {C::CopyShort, K::PushButton, L"Copy", {2400, 620, 855, 255}, false},
    {C::List, K::PushButton, L"List", {4800, 20, 855, 255}, true},
    {C::CaseStored, K::OptionButton, L"Normal", {3840, 640, 975, 180}, true},
    {C::CaseUpper, K::OptionButton, L"Upper", {4920, 640, 975, 180}, true},
    {C::CaseLower, K::OptionButton, L"Lower", {5880, 640, 975, 180}, true},
    {C::Up, K::PushButton, L"<", {5880, 20, 375, 255}, false},
    {C::Down, K::PushButton, L">", {6360, 20, 375, 255}, false},
    // The headings reach into the markers' boxes: they come first, so that
    // they lie above the markers, whose text ends before the headings begin.
    {C::LongHeading, K::Label, L"Long File Name", {720, 80, 3060, 255}, true},
    {C::ShortHeading, K::Label, L"Short File Name", {720, 660, 2055, 255}, true},
    {C::ShortMarker, K::Label, L"<--->", {80, 660, 855, 255}, true},
    {C::LongMarker, K::Label, L">---<", {80, 75, 735, 255}, true},
}};

constexpr bool eachRowAtItsControl() {
    for (std::size_t i = 0; i < kControls.size(); ++i)
        if (static_cast<std::size_t>(kControls[i].control) != i) return false;
    return true;
}
static_assert(eachRowAtItsControl(), "a control's design must stand at the index of its Control");
static_assert(static_cast<std::size_t>(C::LongMarker) + 1 == kControlCount, "every Control has a design");

int scale(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

}  // namespace

std::span<const ControlDesign, kControlCount> controlTable() { return kControls; }

int twipsToPixels(int twips, int dpi) { return scale(twips, dpi, 1440); }

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
