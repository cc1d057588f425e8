// The floor of the start-up figure, written from the documented calls alone
// and sharing no code with the program: it registers a class, creates the
// program's fourteen controls with the same classes, styles, captions and
// places, sets the system's message font and the fields' face by name, fills
// both fields with the command line's path, shows the window and runs the
// loop. It carries the program's resources and manifest (version 6 common
// controls, per-monitor DPI awareness).
//
// Started with "/steps:name,..." before the path it also takes the program's
// start steps named there (see ScratchSteps.h), each written the way the
// program makes it: what one step adds to this window's start is its cost.
// With "report" among them it times each stage, writes the times to its
// standard output at its first idle moment and ends.
#include <windows.h>

#include <algorithm>
#include <array>
#include <string>

#include "bench/ScratchSteps.h"

namespace {

constexpr wchar_t kClassName[] = L"Twinpath.ScratchWindow";
constexpr wchar_t kCaption[] = L"Twinpath  < Drag&Drop or Command Line >";
constexpr wchar_t kFieldFace[] = L"ＭＳ ゴシック";
constexpr int kFieldPoints = 9;
constexpr int kIconId = 1;
constexpr int kFirstControlId = 1000;
// The window's design size in twips (1/1440 inch): the client width, and the
// outer height, which is fixed.
constexpr int kClientWidthTwips = 6810;
constexpr int kClientHeightTwips = 1155;
constexpr int kOuterHeightTwips = 1595;

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
constexpr DWORD kField = kChild | WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL | ES_READONLY;
constexpr DWORD kPush = kChild | WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON;
constexpr DWORD kRadio = kChild | BS_AUTORADIOBUTTON;
constexpr DWORD kLabel = kChild | WS_GROUP | SS_LEFT | SS_NOPREFIX;

struct Control {
    const wchar_t* windowClass;
    DWORD style;
    DWORD exStyle;
    const wchar_t* caption;
    int left, top, width, height;  // twips
};

// In tab order; the fields first, the short-form field second.
constexpr std::array<Control, 14> kControls{{
    {L"EDIT", kField, WS_EX_CLIENTEDGE, L"TextLong", 0, 300, 7575, 270},
    {L"EDIT", kField, WS_EX_CLIENTEDGE, L"TextShort", 0, 900, 7575, 270},
    {L"BUTTON", kPush, 0, L"Copy", 2400, 20, 855, 255},
    {L"BUTTON", kPush, 0, L"Copy", 2400, 620, 855, 255},
    {L"BUTTON", kPush, 0, L"List", 3840, 20, 855, 255},
    {L"BUTTON", kRadio | WS_GROUP | WS_TABSTOP, 0, L"Normal", 3840, 640, 975, 180},
    {L"BUTTON", kRadio, 0, L"Upper", 4920, 640, 975, 180},
    {L"BUTTON", kRadio, 0, L"Lower", 5880, 640, 975, 180},
    {L"BUTTON", kPush, 0, L"<", 5880, 20, 375, 255},
    {L"BUTTON", kPush, 0, L">", 6360, 20, 375, 255},
    {L"STATIC", kLabel, 0, L"Long File Name", 720, 80, 1935, 255},
    {L"STATIC", kLabel, 0, L"Short File Name", 720, 660, 2055, 255},
    {L"STATIC", kLabel, 0, L"<--->", 80, 660, 855, 255},
    {L"STATIC", kLabel, 0, L">---<", 80, 75, 735, 255},
}};
constexpr int kFieldCount = 2;

int pixels(int twips, int dpi) { return ::MulDiv(twips, dpi, 1440); }

struct Window {
    scratch::Steps& steps;
    HINSTANCE instance = nullptr;
    std::array<HWND, kControls.size()> controls{};
    HFONT fieldFont = nullptr;
    HFONT messageFont = nullptr;
    int dpi = USER_DEFAULT_SCREEN_DPI;

    ~Window() {
        if (fieldFont) ::DeleteObject(fieldFont);
        if (messageFont) ::DeleteObject(messageFont);
    }

    void makeFonts() {
        LOGFONTW field{};
        field.lfHeight = -::MulDiv(kFieldPoints, dpi, 72);
        field.lfWeight = FW_NORMAL;
        field.lfCharSet = SHIFTJIS_CHARSET;
        field.lfQuality = CLEARTYPE_QUALITY;
        wcsncpy_s(field.lfFaceName, kFieldFace, _TRUNCATE);
        if (steps.has(scratch::kFace)) {
            if (!scratch::Steps::faceExists(field)) {
                field.lfCharSet = DEFAULT_CHARSET;
                field.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
                field.lfFaceName[0] = L'\0';
            }
            steps.lap("face found by font enumeration");
        }
        fieldFont = ::CreateFontIndirectW(&field);
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof(metrics);
        const bool read = steps.has(scratch::kDpi)
                              ? ::SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0,
                                                             static_cast<UINT>(dpi))
                              : ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
        if (read) messageFont = ::CreateFontIndirectW(&metrics.lfMessageFont);
        steps.lap("window: both fonts made");
    }

    void make(HWND window) {
        if (const UINT windowDpi = ::GetDpiForWindow(window)) dpi = static_cast<int>(windowDpi);
        steps.lap("window: main window made, to its WM_CREATE");
        makeFonts();
        for (std::size_t i = 0; i < kControls.size(); ++i) {
            const Control& c = kControls[i];
            controls[i] = ::CreateWindowExW(c.exStyle, c.windowClass, c.caption, c.style, pixels(c.left, dpi),
                                            pixels(c.top, dpi), pixels(c.width, dpi), pixels(c.height, dpi), window,
                                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + i)),
                                            instance, nullptr);
            const HFONT font = i < kFieldCount ? fieldFont : messageFont;
            ::SendMessageW(controls[i], WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        }
        steps.lap("window: fourteen controls made");
        steps.withControls(controls.data(), static_cast<int>(controls.size()));
    }

    // The fields span the client area.
    void stretchFields(HWND window) const {
        RECT client{};
        ::GetClientRect(window, &client);
        for (int i = 0; i < kFieldCount; ++i) {
            RECT current{};
            if (::GetWindowRect(controls[i], &current))
                ::SetWindowPos(controls[i], nullptr, 0, 0, client.right, current.bottom - current.top,
                               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }

    // The outer size at the window's DPI: what the program asks at every
    // change of size.
    SIZE frameSize() const {
        RECT frame{};
        ::AdjustWindowRectExForDpi(&frame, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, FALSE, 0, static_cast<UINT>(dpi));
        return {frame.right - frame.left, frame.bottom - frame.top};
    }
};

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Window*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
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
        case WM_GETMINMAXINFO:
        case WM_WINDOWPOSCHANGING:
            if (self && self->steps.has(scratch::kDpi)) self->frameSize();
            break;
        case WM_CTLCOLORSTATIC:
            ::SetBkColor(reinterpret_cast<HDC>(wParam), ::GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
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

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int showCommand) {
    const wchar_t* arguments = commandLine;
    scratch::Steps steps(scratch::stepsOf(arguments));
    const std::wstring path = pathOf(arguments);
    steps.lap("process start and DLLs, to the first line");
    if (steps.has(scratch::kThread)) {
        steps.startForms(path);
        steps.lap("forms: thread started");
    }
    steps.beforeWindow();

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    if (steps.has(scratch::kIcon)) {
        windowClass.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(kIconId));
        windowClass.hIconSm =
            static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(kIconId), IMAGE_ICON,
                                            ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0));
    }
    if (!::RegisterClassExW(&windowClass)) return 1;
    steps.lap("class registered (icon loaded in the icon step)");

    Window state{steps, instance};
    const std::wstring caption = kCaption + steps.versionText();
    const HWND window = ::CreateWindowExW(0, kClassName, caption.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                          CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr, nullptr, instance, &state);
    if (!window) return 1;
    const SIZE frame = state.frameSize();
    ::SetWindowPos(
        window, nullptr, 0, 0, pixels(kClientWidthTwips, state.dpi) + frame.cx,
        std::max<int>(pixels(kOuterHeightTwips, state.dpi), pixels(kClientHeightTwips, state.dpi) + frame.cy),
        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    steps.lap("window: first size");

    std::wstring longForm = path;
    std::wstring shortForm = path;
    if (steps.has(scratch::kThread)) {
        steps.awaitForms(longForm, shortForm);
        steps.lap("forms: awaited");
    }
    ::SetWindowTextW(state.controls[0], longForm.c_str());
    ::SetWindowTextW(state.controls[1], shortForm.c_str());
    ::SendMessageW(state.controls[5], BM_SETCHECK, BST_CHECKED, 0);
    ::ShowWindow(window, showCommand);
    ::UpdateWindow(window);
    steps.lap("shown and painted");
    // The short-form field has the focus, all of it selected.
    ::SetFocus(state.controls[1]);
    ::SendMessageW(state.controls[1], EM_SETSEL, 0, -1);
    steps.lap("focus");
    steps.afterShow(window, state.controls.data(), static_cast<int>(state.controls.size()));

    MSG message{};
    bool idleSeen = false;
    while (true) {
        if (steps.has(scratch::kReport) && !idleSeen && !::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            // The first idle moment: the report, and the end.
            idleSeen = true;
            steps.lap("the first messages handled");
            steps.report();
            ::PostQuitMessage(0);
        }
        if (::GetMessageW(&message, nullptr, 0, 0) <= 0) break;
        if (steps.translate(window, message) || ::IsDialogMessageW(window, &message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return 0;
}
