#include "win32/HintTip.h"

namespace twinpath::win32 {

namespace {

// The tracking tool that shows the tip below the field; the other tool is the
// field itself, for the pointer.
constexpr UINT_PTR kFocusTool = 1;
constexpr UINT kFocusToolFlags = TTF_TRACK | TTF_ABSOLUTE;
constexpr UINT kFieldToolFlags = TTF_IDISHWND | TTF_SUBCLASS;
// Longer lines wrap; scaled with the DPI like the font.
constexpr int kLineWidthAt96Dpi = 480;

}  // namespace

TTTOOLINFOW HintTip::tool(UINT_PTR id, UINT flags) {
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.uFlags = flags;
    info.hwnd = owner_;
    info.uId = id;
    info.lpszText = text_.data();  // copied by the tooltip
    return info;
}

void HintTip::attach(HWND owner, HWND field) {
    owner_ = owner;
    field_ = field;
}

bool HintTip::create() {
    // Always a tip, also while another program is active: the pointer may
    // rest on the field then too.
    tip_.reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner_, nullptr, nullptr,
                                 nullptr));
    if (!tip_) return false;
    TTTOOLINFOW onField = tool(reinterpret_cast<UINT_PTR>(field_), kFieldToolFlags);
    TTTOOLINFOW belowField = tool(kFocusTool, kFocusToolFlags);
    const bool added = ::SendMessageW(tip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&onField)) &&
                       ::SendMessageW(tip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&belowField));
    ::SendMessageW(tip_.get(), TTM_ACTIVATE, FALSE, 0);
    applyFont();
    return added;
}

void HintTip::setText(const std::wstring& text) {
    if (text == text_ || (!tip_ && (text.empty() || !create()))) return;
    text_ = text;
    TTTOOLINFOW onField = tool(reinterpret_cast<UINT_PTR>(field_), kFieldToolFlags);
    TTTOOLINFOW belowField = tool(kFocusTool, kFocusToolFlags);
    ::SendMessageW(tip_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&onField));
    ::SendMessageW(tip_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&belowField));
    ::SendMessageW(tip_.get(), TTM_ACTIVATE, !text_.empty(), 0);
    showBelowField();
}

void HintTip::setFont(HFONT font, int dpi) {
    font_ = font;
    dpi_ = dpi;
    applyFont();
}

void HintTip::applyFont() {
    if (!tip_) return;
    ::SendMessageW(tip_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    ::SendMessageW(tip_.get(), TTM_SETMAXTIPWIDTH, 0, ::MulDiv(kLineWidthAt96Dpi, dpi_, USER_DEFAULT_SCREEN_DPI));
    place();
}

void HintTip::followFocus(bool focused) {
    focused_ = focused;
    showBelowField();
}

void HintTip::place() {
    RECT field{};
    if (!tip_ || !focused_ || !::GetWindowRect(field_, &field)) return;
    ::SendMessageW(tip_.get(), TTM_TRACKPOSITION, 0, MAKELPARAM(field.left, field.bottom));
}

void HintTip::showBelowField() {
    if (!tip_) return;
    const bool show = focused_ && !text_.empty();
    place();
    TTTOOLINFOW belowField = tool(kFocusTool, kFocusToolFlags);
    ::SendMessageW(tip_.get(), TTM_TRACKACTIVATE, show, reinterpret_cast<LPARAM>(&belowField));
}

}  // namespace twinpath::win32
