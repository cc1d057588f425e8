#pragma once

#include <cstddef>
#include <span>

namespace twinpath {

// The window's controls and their design geometry in twips (1/1440 inch).

// Every visible control, in tab order and, for windows that overlap, from
// the topmost down.
enum class Control {
    LongField,
    ShortField,
    CopyLong,
    CopyShort,
    List,
    CaseStored,
    CaseUpper,
    CaseLower,
    Up,
    Down,
    LongHeading,
    ShortHeading,
    ShortMarker,
    LongMarker,
};
inline constexpr std::size_t kControlCount = 14;

enum class ControlKind { TextField, PushButton, OptionButton, Label };

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct ControlDesign {
    Control control;
    ControlKind kind;
    const wchar_t* caption;
    TwipsRect rect;
    // A dropped file list over this control is taken as the input path.
    bool dropTarget;
};

// The design of every control, at the index of its Control.
std::span<const ControlDesign, kControlCount> controlTable();
inline const ControlDesign& designOf(Control control) { return controlTable()[static_cast<std::size_t>(control)]; }

inline constexpr int kDesignClientWidthTwips = 6810;
inline constexpr int kDesignClientHeightTwips = 1155;
// The outer height is fixed, and the outer width never goes below the minimum
// (both include frame and caption).
inline constexpr int kFixedOuterHeightTwips = 1595;
inline constexpr int kMinimumOuterWidthTwips = 6930;

// Twips to pixels at a given DPI, rounded to nearest.
int twipsToPixels(int twips, int dpi);

struct OuterSize {
    int width = 0;
    int height = 0;
};

// The fixed outer height and the minimum outer width in pixels, given the
// size of the window's frame (outer size less client size) at that DPI. Where
// the frame is thicker than the twips figures allow for (modern themes draw
// wide borders and tall captions), the limits grow so that the design client
// area still fits: the short-form field is never cut off.
OuterSize outerLimits(int dpi, OuterSize framePixels);

// The outer size a window in the normal state is given for a requested one.
OuterSize constrainOuterSize(OuterSize requestedPixels, OuterSize limits);

}  // namespace twinpath
