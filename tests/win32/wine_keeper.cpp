// Keeps one Wine process with a hidden window alive for a whole test run, so
// that Wine's helper processes are not started and stopped for every test.
// The file named on the command line, if any, is created once the window
// exists: by then the desktop process is running, started by this process.
#include <windows.h>

#include "win32/Handles.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR readyFile, int) {
    ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    // Created and closed at once.
    if (*readyFile)
        twinpath::win32::UniqueHandle(::CreateFileW(readyFile, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    // The window answers every message sent to all windows (DDE's among them).
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) ::DispatchMessageW(&message);
    return 0;
}
