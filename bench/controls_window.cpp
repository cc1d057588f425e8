// The floor of the start-up figure "start to window shown with the command
// line's forms": the program's window and nothing else. The same window class
// (icon, pointer, background), window styles, fourteen controls with their
// classes, styles, fonts and layout, and manifest (the program's resources are
// linked in); the common controls loaded as the program loads them. No
// conversion, instance test, version, DDE or OLE: both name fields show the
// path of the command line as it comes, so that the launcher awaits this
// window as it awaits the program's.
#include <windows.h>

#include <array>
#include <string>

#include "app/Texts.h"
#include "app/WindowLayout.h"
#include "ports/MainView.h"
#include "win32/Fonts.h"
#include "win32/UiHandles.h"
#include "win32/WindowLibraries.h"
#include "win32/WindowStyles.h"

using namespace twinpath;

namespace {

constexpr wchar_t kClassName[] = L"Twinpath.ControlsWindow";
constexpr int kFirstControlId = 1000;

struct ControlsWindow {
    HINSTANCE instance = nullptr;
    std::array<HWND, 14> controls{};
    win32::UniqueFont fieldFont;
    win32::UniqueFont controlFont;
    int dpi = USER_DEFAULT_SCREEN_DPI;

    void make(HWND window) {
        if (const UINT windowDpi = ::GetDpiForWindow(window)) dpi = static_cast<int>(windowDpi);
        fieldFont = win32::createFieldFont(dpi);
        controlFont = win32::createControlFont(dpi);
        const auto table = controlTable();
        for (std::size_t i = 0; i < table.size(); ++i) {
            const ControlDesign& design = table[i];
            controls[i] = win32::createControl(window, instance, design, kFirstControlId + static_cast<int>(i));
            const HFONT font = design.kind == ControlKind::TextField ? fieldFont.get() : controlFont.get();
            ::SendMessageW(controls[i], WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
            const TwipsRect& r = design.rect;
            ::SetWindowPos(controls[i], nullptr, twipsToPixels(r.left, dpi), twipsToPixels(r.top, dpi),
                           twipsToPixels(r.width, dpi), twipsToPixels(r.height, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }

    // The name fields span the client area, as in the program.
    void stretchFields(HWND window) const {
        RECT client{};
        ::GetClientRect(window, &client);
        const auto table = controlTable();
        for (std::size_t i = 0; i < table.size(); ++i) {
            RECT current{};
            if (table[i].kind != ControlKind::TextField || !::GetWindowRect(controls[i], &current)) continue;
            ::SetWindowPos(controls[i], nullptr, 0, 0, client.right, current.bottom - current.top,
                           SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
};

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<ControlsWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
        case WM_NCCREATE:
            ::SetWindowLongPtrW(window, GWLP_USERDATA,
                                reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
            break;
        case WM_CREATE:
            self->make(window);
            return 0;
        case WM_SIZE:
            self->stretchFields(window);
            return 0;
        case WM_DESTROY:
            ::PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

// The command line's path without the quotes around it.
std::wstring pathOf(const wchar_t* arguments) {
    std::wstring path(arguments);
    if (path.size() >= 2 && path.front() == L'"') path = path.substr(1, path.find(L'"', 1) - 1);
    return path;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int showCommand) {
    win32::windowLibraries::initCommonControls(ICC_STANDARD_CLASSES | ICC_BAR_CLASSES);
    if (!win32::registerMainWindowClass(instance, windowProcedure, kClassName)) return 1;

    ControlsWindow state;
    state.instance = instance;
    const win32::UniqueWindow window(::CreateWindowExW(win32::kMainWindowExStyle, kClassName, texts::kCaption,
                                                       win32::kMainWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0,
                                                       nullptr, nullptr, instance, &state));
    if (!window) return 1;
    // The program's first size: the design client width, the fixed height.
    RECT frame{};
    ::AdjustWindowRectExForDpi(&frame, win32::kMainWindowStyle, FALSE, win32::kMainWindowExStyle, state.dpi);
    const OuterSize framePixels{frame.right - frame.left, frame.bottom - frame.top};
    ::SetWindowPos(window.get(), nullptr, 0, 0, twipsToPixels(kDesignClientWidthTwips, state.dpi) + framePixels.width,
                   outerLimits(state.dpi, framePixels).height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    const std::wstring path = pathOf(arguments);
    const auto table = controlTable();
    HWND shortField = nullptr;
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].kind == ControlKind::TextField) ::SetWindowTextW(state.controls[i], path.c_str());
        if (table[i].control == Control::ShortField) shortField = state.controls[i];
        if (table[i].control == Control::CaseStored) ::SendMessageW(state.controls[i], BM_SETCHECK, BST_CHECKED, 0);
    }
    ::ShowWindow(window.get(), showCommand);
    ::UpdateWindow(window.get());
    // The program's focus at start: the short-form field, all of it selected.
    ::SetFocus(shortField);
    ::SendMessageW(shortField, EM_SETSEL, 0, -1);

    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (::IsDialogMessageW(window.get(), &message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return 0;
}
