#include "win32/ButtonHelp.h"

#include <commctrl.h>
#include <initguid.h>
#include <oleacc.h>

#include "app/Texts.h"
#include "win32/WindowLibraries.h"

namespace twinpath::win32 {

namespace {

struct Button {
    Control control;
    const wchar_t* tip;  // none: the list button's, made from the mode
    const wchar_t* name;
};

constexpr std::array<Button, 5> kButtons{{
    {Control::CopyLong, texts::kCopyLongTip, texts::kCopyLongName},
    {Control::CopyShort, texts::kCopyShortTip, texts::kCopyShortName},
    {Control::List, nullptr, texts::kListName},
    {Control::Up, texts::kUpTip, texts::kUpName},
    {Control::Down, texts::kDownTip, texts::kDownName},
}};
constexpr std::size_t kListButton = 2;

}  // namespace

ButtonHelp::ButtonHelp() { showListMode(ListMode::NamesOnly); }

ButtonHelp::~ButtonHelp() = default;

void ButtonHelp::attach(HWND owner, const std::function<HWND(Control)>& controlOf) {
    owner_ = owner;
    for (std::size_t i = 0; i < kButtons.size(); ++i) buttons_[i] = controlOf(kButtons[i].control);
    // Always a tip, also while another program is active: the pointer may
    // rest on a button then too.
    tips_.reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, nullptr,
                                  nullptr));
    if (!tips_) return;
    for (std::size_t i = 0; i < kButtons.size(); ++i) addTip(i, TTM_ADDTOOLW);
    setFont(font_);
}

void ButtonHelp::addTip(std::size_t button, UINT message) {
    if (!tips_ || !buttons_[button]) return;
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = owner_;
    tool.uId = reinterpret_cast<UINT_PTR>(buttons_[button]);
    // Copied by the tooltip.
    tool.lpszText = const_cast<wchar_t*>(kButtons[button].tip ? kButtons[button].tip : listTip_.c_str());
    ::SendMessageW(tips_.get(), message, 0, reinterpret_cast<LPARAM>(&tool));
}

void ButtonHelp::setFont(HFONT font) {
    font_ = font;
    if (tips_ && font_) ::SendMessageW(tips_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
}

void ButtonHelp::showListMode(ListMode mode) {
    listTip_ = texts::kListTipBefore + std::wstring(texts::kListModeNames[static_cast<std::size_t>(mode)]) +
               texts::kListTipAfter;
    addTip(kListButton, TTM_UPDATETIPTEXTW);
}

void ButtonHelp::nameButtons() {
    IAccPropServices* services = nullptr;
    if (FAILED(windowLibraries::coCreateInstance(CLSID_AccPropServices, IID_IAccPropServices,
                                                 reinterpret_cast<void**>(&services))))
        return;
    names_.reset(services);
    for (std::size_t i = 0; i < kButtons.size(); ++i)
        if (buttons_[i])
            names_->SetHwndPropStr(buttons_[i], static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME,
                                   kButtons[i].name);
}

void ButtonHelp::forgetNames() {
    if (!names_) return;
    const MSAAPROPID name = PROPID_ACC_NAME;
    for (const HWND button : buttons_)
        if (button) names_->ClearHwndProps(button, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &name, 1);
    names_.reset();
}

}  // namespace twinpath::win32
