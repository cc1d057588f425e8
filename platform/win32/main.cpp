#include <windows.h>

#include <commctrl.h>

#include "platform/win32/DdeServer.h"
#include "platform/win32/MainWindow.h"
#include "platform/win32/OleSession.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32ProcessServices.h"
#include "platform/win32/Win32TextServices.h"

using namespace twinpath;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    // A drive without a medium must not raise a system dialog: a path that
    // cannot be read just shows empty fields.
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    win32::OleSession ole;

    win32::Win32FileSystem fileSystem;
    win32::Win32TextServices text;
    win32::Win32ProcessServices process;
    win32::MainWindow window(instance, fileSystem, text, process);
    if (!window.create()) return 1;
    if (window.form().Form_Load() == TwinpathF::LoadResult::HandedOff) return 0;

    // Pokes of later copies arrive through the message loop.
    win32::DdeServer handOffs([&window](const std::wstring& path) { window.queuePoke(path); });
    handOffs.start();
    window.acceptDrops();

    window.show(showCommand);
    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (window.preTranslate(message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
