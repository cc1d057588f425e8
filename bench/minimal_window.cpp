// The floor of the start-up benchmarks: the least a Win32 program does to show
// a window. Its caption is its command line, so the launcher waits for it the
// way it waits for the program's filled name field. It ends when the window is
// closed or its thread gets WM_QUIT.
//
// Started with "/exit" it ends at once without a window: the floor of a start
// that only hands its path on and ends. Started with "/dde" it opens a DDE
// client instance, as every hand-off must, and ends: DDE works through hidden
// windows, so this prices the window system's start in a process.
#include <windows.h>

#include <ddeml.h>

#include <cwchar>
#include <memory>

namespace {

constexpr wchar_t kClassName[] = L"TwinpathMinimalWindow";

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

// Destroys the window when the loop ended some other way than by its closing.
struct WindowDestroyer {
    using pointer = HWND;
    void operator()(HWND window) const noexcept {
        if (::IsWindow(window)) ::DestroyWindow(window);
    }
};

HDDEDATA CALLBACK ignoreEverything(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) { return nullptr; }

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int showCommand) {
    if (std::wcscmp(arguments, L"/exit") == 0) return 0;
    if (std::wcscmp(arguments, L"/dde") == 0) {
        DWORD instance = 0;
        if (::DdeInitializeW(&instance, ignoreEverything, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) return 1;
        ::DdeUninitialize(instance);
        return 0;
    }

    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    if (!::RegisterClassW(&windowClass)) return 1;

    const std::unique_ptr<HWND, WindowDestroyer> window(::CreateWindowExW(0, kClassName, arguments, WS_OVERLAPPEDWINDOW,
                                                                          CW_USEDEFAULT, CW_USEDEFAULT, 480, 120,
                                                                          nullptr, nullptr, instance, nullptr));
    if (!window) return 1;
    ::ShowWindow(window.get(), showCommand);
    ::UpdateWindow(window.get());

    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return 0;
}
