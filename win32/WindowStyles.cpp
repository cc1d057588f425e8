#include "win32/WindowStyles.h"

#include "win32/res/resource.h"

namespace twinpath::win32 {

bool registerMainWindowClass(HINSTANCE instance, WNDPROC procedure, const wchar_t* name) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(IDI_TWINPATH));
    windowClass.hIconSm = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_TWINPATH), IMAGE_ICON,
                                                          ::GetSystemMetrics(SM_CXSMICON),
                                                          ::GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = name;
    return ::RegisterClassExW(&windowClass) || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND createControl(HWND parent, HINSTANCE instance, const ControlDesign& design, int id) {
    const wchar_t* windowClass = L"STATIC";
    // Labels reach under the buttons beside them: siblings must not paint
    // over each other.
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    DWORD exStyle = 0;
    switch (design.kind) {
        case ControlKind::TextField:
            // The fields show results; read-only edits still select and copy.
            windowClass = L"EDIT";
            style |= WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL | ES_READONLY;
            exStyle = WS_EX_CLIENTEDGE;
            break;
        case ControlKind::PushButton:
            windowClass = L"BUTTON";
            style |= WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON;
            break;
        case ControlKind::OptionButton:
            windowClass = L"BUTTON";
            style |= BS_AUTORADIOBUTTON | (design.control == Control::CaseStored ? WS_GROUP | WS_TABSTOP : 0);
            break;
        case ControlKind::Label:
            style |= WS_GROUP | SS_LEFT | SS_NOPREFIX;
            break;
    }
    return ::CreateWindowExW(exStyle, windowClass, design.caption, style, 0, 0, 0, 0, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
}

}  // namespace twinpath::win32
