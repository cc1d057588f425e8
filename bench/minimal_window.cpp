// The floor of the start-up benchmarks: the least a Win32 program does to show
// a window. Its caption is its command line, so the launcher waits for it the
// way it waits for the program's filled name field. It ends when the window is
// closed or its thread gets WM_QUIT.
//
// Started with "/exit" it ends at once without a window: the floor of a start
// that only hands its path on and ends.
#include <windows.h>

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

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int showCommand) {
    if (std::wcscmp(arguments, L"/exit") == 0) return 0;

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
