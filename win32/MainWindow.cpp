#include "win32/MainWindow.h"

#include <commctrl.h>

#include "app/Texts.h"
#include "win32/ClipboardItems.h"
#include "win32/Fonts.h"
#include "win32/WindowLibraries.h"
#include "win32/WindowStyles.h"

namespace twinpath::win32 {

namespace {

constexpr int kCommandLevelUp = 0x7001;
constexpr int kCommandLevelDown = 0x7002;
constexpr int kCommandPaste = 0x7003;

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, WorkerThread& work) : instance_(instance), work_(work) {
    ACCEL keys[] = {{FALT | FVIRTKEY, VK_UP, kCommandLevelUp},
                    {FALT | FVIRTKEY, VK_DOWN, kCommandLevelDown},
                    {FCONTROL | FVIRTKEY, 'V', kCommandPaste},
                    {FSHIFT | FVIRTKEY, VK_INSERT, kCommandPaste}};
    accelerators_.reset(::CreateAcceleratorTableW(keys, ARRAYSIZE(keys)));
}

MainWindow::~MainWindow() {
    // The controller may have gone first: the window's end no longer tells it.
    controller_ = nullptr;
    if (hwnd_) ::DestroyWindow(hwnd_);
}

bool MainWindow::create() {
    if (!controller_ || !registerMainWindowClass(instance_, windowProc, kMainWindowClass)) return false;

    if (!::CreateWindowExW(kMainWindowExStyle, kMainWindowClass, texts::kCaption, kMainWindowStyle, CW_USEDEFAULT,
                           CW_USEDEFAULT, 0, 0, nullptr, nullptr, instance_, this))
        return false;
    work_.reportTo(hwnd_, kWorkEndedMessage);

    // The first size comes from the design client width at the window's own
    // DPI; the height is the fixed one.
    RECT frame{};
    ::AdjustWindowRectExForDpi(&frame, kMainWindowStyle, FALSE, kMainWindowExStyle, dpi());
    const int width = twipsToPixels(kDesignClientWidthTwips, dpi()) + (frame.right - frame.left);
    ::SetWindowPos(hwnd_, nullptr, 0, 0, width, limits().height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

std::optional<Control> MainWindow::controlOf(HWND hwnd) const {
    for (std::size_t i = 0; i < controls_.size(); ++i)
        if (hwnd && controls_[i] == hwnd) return static_cast<Control>(i);
    return std::nullopt;
}

void MainWindow::show(int showCommand) {
    ::ShowWindow(hwnd_, showCommand);
    ::UpdateWindow(hwnd_);
    controller_->onShown();
}

void MainWindow::showHelp() {
    buttonHelp_.attach(hwnd_, [this](Control which) { return control(which); });
}

bool MainWindow::preTranslate(MSG& message) {
    if (!hwnd_) return false;
    if (accelerators_ && ::TranslateAcceleratorW(hwnd_, accelerators_.get(), &message)) return true;
    return ::IsDialogMessageW(hwnd_, &message) != FALSE;
}

bool MainWindow::acceptDrops() {
    // COM runs from here on: the buttons get their names for screen readers.
    buttonHelp_.nameButtons();
    dropTarget_ = DropTarget::create([this](POINT point) { return acceptsDropAt(point); },
                                     [this](std::vector<std::wstring> paths) { queueItems(std::move(paths)); });
    if (!dropTarget_) return false;
    dropRegistration_ = DropRegistration(hwnd_, dropTarget_.get());
    return dropRegistration_.active();
}

bool MainWindow::acceptsDropAt(POINT screenPoint) const {
    POINT client = screenPoint;
    if (!::ScreenToClient(hwnd_, &client)) return false;
    const HWND child = ::ChildWindowFromPointEx(hwnd_, client, CWP_SKIPINVISIBLE);
    if (child == hwnd_) return true;  // the window's free area
    const auto which = controlOf(child);
    return which && designOf(*which).dropTarget;
}

LRESULT CALLBACK MainWindow::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    auto* self = reinterpret_cast<MainWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (!self) return ::DefWindowProcW(hwnd, message, wParam, lParam);
    LRESULT result = 0;
    try {
        result = self->handleMessage(message, wParam, lParam);
    } catch (...) {
        // A handler that fails is passed over; nothing reaches Windows.
        result = ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

LRESULT CALLBACK MainWindow::controlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR self) noexcept {
    if (message == WM_NCDESTROY) windowLibraries::removeWindowSubclass(hwnd, controlProc, id);
    try {
        return reinterpret_cast<MainWindow*>(self)->handleControlMessage(hwnd, message, wParam, lParam);
    } catch (...) {
        return windowLibraries::defSubclassProc(hwnd, message, wParam, lParam);
    }
}

LRESULT MainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            if (const UINT windowDpi = ::GetDpiForWindow(hwnd_)) dpi_ = static_cast<int>(windowDpi);
            createControls();
            applyFonts();
            layoutControls();
            return 0;
        case WM_COMMAND:
            onCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_CONTEXTMENU:
            onContextMenu(reinterpret_cast<HWND>(wParam), lParam);
            return 0;
        case WM_GETMINMAXINFO:
            onGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
            return 0;
        case WM_WINDOWPOSCHANGING:
            onWindowPosChanging(*reinterpret_cast<WINDOWPOS*>(lParam));
            return 0;
        case WM_SIZE:
            stretchFields();
            return 0;
        case WM_MOVE:
            hintTip_.place();
            itemsTip_.place();
            return 0;
        case WM_DPICHANGED:
            onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_CTLCOLORSTATIC:
            return onCtlColor(reinterpret_cast<HDC>(wParam));
        case WM_SETCURSOR:
            if (!busy_) break;
            ::SetCursor(::LoadCursorW(nullptr, IDC_APPSTARTING));
            return TRUE;
        case kWorkEndedMessage:
            work_.finishEnded();
            return 0;
        case WM_TIMER:
            if (wParam == kWorkTimer) controller_->onWorkTick();
            return 0;
        case WM_ACTIVATE:
            // As a dialog does: the control that had the focus gets it back
            // when the user returns to the window, so Ctrl+C and Tab go on.
            if (LOWORD(wParam) == WA_INACTIVE) {
                const HWND focus = ::GetFocus();
                if (focus && ::IsChild(hwnd_, focus)) focusBeforeDeactivation_ = focus;
            } else if (!HIWORD(wParam) && focusBeforeDeactivation_ && ::IsChild(hwnd_, focusBeforeDeactivation_)) {
                ::SetFocus(focusBeforeDeactivation_);
                return 0;
            }
            break;
        case kQueuedPathsMessage:
            openQueuedPaths();
            return 0;
        case kSelectFieldMessage:
            if (const HWND edit = fieldControl(static_cast<NameField>(wParam))) ::SendMessageW(edit, EM_SETSEL, 0, -1);
            return 0;
        case WM_DESTROY:
            if (controller_) controller_->close();
            work_.reportTo(nullptr, 0);
            // Revoked while the window still exists, or OLE keeps the target.
            dropRegistration_ = DropRegistration();
            buttonHelp_.forgetNames();
            ::PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT MainWindow::handleControlMessage(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = windowLibraries::defSubclassProc(control, message, wParam, lParam);
    const auto which = controlOf(control);
    if (which == Control::LongField && message == WM_LBUTTONDBLCLK) selectWholeField(NameField::Long);
    if (which == Control::ShortField && message == WM_LBUTTONDBLCLK) selectWholeField(NameField::Short);
    if (which == Control::List && message == WM_RBUTTONUP) controller_->onListButtonRightClick();
    return result;
}

void MainWindow::onCommand(int id, int code, HWND) {
    if (id == kCommandLevelUp || id == kCommandLevelDown) {
        controller_->moveLevel(id == kCommandLevelUp ? Level::Up : Level::Down);
        return;
    }
    if (id == kCommandPaste) {
        controller_->paste(clipboardItems(hwnd_));
        return;
    }
    if (id == IDCANCEL) {  // Esc, through the dialog keys
        controller_->cancelWork();
        return;
    }
    if (ModeMenu::isSubfoldersCommand(id)) {
        controller_->toggleSubfolders();
        return;
    }
    if (const auto mode = ModeMenu::modeOfCommand(id)) {
        controller_->pickListMode(*mode);
        return;
    }
    if (const auto pick = CopyMenu::pickOfCommand(id)) {
        controller_->copyForm(pick->field, pick->form, pick->everyItem);
        return;
    }
    const int index = id - kFirstControlId;
    if (index < 0 || index >= static_cast<int>(kControlCount)) return;
    const auto which = static_cast<Control>(index);
    if (which == Control::LongField || which == Control::ShortField) {
        const NameField field = which == Control::LongField ? NameField::Long : NameField::Short;
        if (field == NameField::Short && (code == EN_SETFOCUS || code == EN_KILLFOCUS))
            hintTip_.followFocus(code == EN_SETFOCUS);
        if (field == NameField::Long && (code == EN_SETFOCUS || code == EN_KILLFOCUS))
            itemsTip_.followFocus(code == EN_SETFOCUS);
        if (code == EN_SETFOCUS) controller_->onFieldFocused(field);
        return;
    }
    if (code != BN_CLICKED) return;
    switch (which) {
        case Control::CopyLong:
            return controller_->copyField(NameField::Long);
        case Control::CopyShort:
            return controller_->copyField(NameField::Short);
        case Control::List:
            return controller_->copyListing();
        case Control::CaseStored:
            return controller_->selectCase(LetterCase::Stored);
        case Control::CaseUpper:
            return controller_->selectCase(LetterCase::Upper);
        case Control::CaseLower:
            return controller_->selectCase(LetterCase::Lower);
        case Control::Up:
            return controller_->moveLevel(Level::Up);
        case Control::Down:
            return controller_->moveLevel(Level::Down);
        default:
            return;
    }
}

void MainWindow::onGetMinMaxInfo(MINMAXINFO& info) const {
    const OuterSize outer = limits();
    info.ptMinTrackSize = POINT{outer.width, outer.height};
    // A maximized window fills the work area; only the normal one is held
    // to the fixed height.
    if (!::IsZoomed(hwnd_)) info.ptMaxTrackSize.y = outer.height;
}

void MainWindow::onWindowPosChanging(WINDOWPOS& position) const {
    if ((position.flags & SWP_NOSIZE) || ::IsZoomed(hwnd_) || ::IsIconic(hwnd_)) return;
    const OuterSize size = constrainOuterSize({position.cx, position.cy}, limits());
    position.cx = size.width;
    position.cy = size.height;
}

void MainWindow::onDpiChanged(int newDpi, const RECT& suggested) {
    if (newDpi > 0) dpi_ = newDpi;
    applyFonts();
    layoutControls();
    ::SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    stretchFields();
}

LRESULT MainWindow::onCtlColor(HDC dc) {
    // Fields, labels and option buttons share the button-face background.
    ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
    ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
    return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
}

void MainWindow::createControls() {
    const auto table = controlTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
        const int id = kFirstControlId + static_cast<int>(i);
        controls_[i] = createControl(hwnd_, instance_, table[i], id);
        const Control which = table[i].control;
        const bool watched = which == Control::LongField || which == Control::ShortField || which == Control::List;
        if (controls_[i] && watched)
            windowLibraries::setWindowSubclass(controls_[i], controlProc, static_cast<UINT_PTR>(id),
                                               reinterpret_cast<DWORD_PTR>(this));
    }
    hintTip_.attach(hwnd_, fieldControl(NameField::Short));
    itemsTip_.attach(hwnd_, fieldControl(NameField::Long));
}

void MainWindow::applyFonts() {
    UniqueFont fieldFont = createFieldFont(dpi());
    UniqueFont controlFont = createControlFont(dpi());
    const auto table = controlTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
        const HFONT font = table[i].kind == ControlKind::TextField ? fieldFont.get() : controlFont.get();
        if (controls_[i]) ::SendMessageW(controls_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    hintTip_.setFont(controlFont.get(), dpi());
    itemsTip_.setFont(controlFont.get(), dpi());
    buttonHelp_.setFont(controlFont.get());
    // The controls now use the new fonts: the old ones may go.
    fieldFont_ = std::move(fieldFont);
    controlFont_ = std::move(controlFont);
}

void MainWindow::layoutControls() {
    const int scale = dpi();
    const auto table = controlTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
        const TwipsRect& r = table[i].rect;
        ::SetWindowPos(controls_[i], nullptr, twipsToPixels(r.left, scale), twipsToPixels(r.top, scale),
                       twipsToPixels(r.width, scale), twipsToPixels(r.height, scale), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    stretchFields();
}

void MainWindow::stretchFields() {
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    for (const NameField which : {NameField::Long, NameField::Short}) {
        const HWND field = fieldControl(which);
        RECT current{};
        if (!field || !::GetWindowRect(field, &current)) continue;
        ::SetWindowPos(field, nullptr, 0, 0, client.right - client.left, current.bottom - current.top,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

OuterSize MainWindow::limits() const {
    RECT frame{};
    ::AdjustWindowRectExForDpi(&frame, kMainWindowStyle, FALSE, kMainWindowExStyle, dpi());
    return outerLimits(dpi(), {frame.right - frame.left, frame.bottom - frame.top});
}

int MainWindow::dpi() const { return dpi_; }

}  // namespace twinpath::win32
