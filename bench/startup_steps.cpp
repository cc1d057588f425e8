// The program's start-up taken apart: the steps of platform/win32/main.cpp,
// with the same classes in the same order, each timed. It writes one line to
// its standard output (the times in milliseconds, from the process's creation
// to the end of each step) and ends at its first idle moment. startup_bench
// starts it as it starts twinpath.exe. When main.cpp changes, change this too.
#include <windows.h>
// InitCommonControlsEx needs windows.h first.
#include <commctrl.h>

#include <cstdio>
#include <string>

#include "platform/win32/DdeServer.h"
#include "platform/win32/MainWindow.h"
#include "platform/win32/OleSession.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32ProcessServices.h"
#include "platform/win32/Win32TextServices.h"

using namespace twinpath;

namespace {

std::uint64_t asNumber(const FILETIME& time) {
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// Milliseconds since the process was created, on the system clock that the
// creation time is kept on.
class StepClock {
public:
    StepClock() {
        FILETIME exit{};
        FILETIME kernel{};
        FILETIME user{};
        ::GetProcessTimes(::GetCurrentProcess(), &created_, &exit, &kernel, &user);
    }
    void mark() {
        FILETIME now{};
        ::GetSystemTimePreciseAsFileTime(&now);
        const double ms = static_cast<double>(asNumber(now) - asNumber(created_)) / 1e4;
        wchar_t text[32];
        std::swprintf(text, 32, L"%.2f ", ms);
        line_ += text;
    }
    // One line to the standard output handle, which the launcher reads.
    void write() const {
        const std::string narrow(line_.begin(), line_.end());
        DWORD written = 0;
        ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), narrow.data(), static_cast<DWORD>(narrow.size()),
                    &written, nullptr);
    }

private:
    FILETIME created_{};
    std::wstring line_;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    StepClock clock;
    clock.mark();  // process start and DLLs, to the first line
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    win32::OleSession ole;
    clock.mark();  // common controls and OLE

    win32::Win32FileSystem fileSystem;
    win32::Win32TextServices text;
    win32::Win32ProcessServices process;
    win32::MainWindow window(instance, fileSystem, text, process);
    if (!window.create()) return 1;
    clock.mark();  // the window with its controls and fonts
    if (window.form().Form_Load() == TwinpathF::LoadResult::HandedOff) return 0;
    clock.mark();  // Form_Load: the instance test, the version, the first conversion

    win32::DdeServer handOffs(
        [&window](const std::wstring& path) { window.form().setLinkLabelCaption(path); });
    handOffs.start();
    clock.mark();  // the DDE service
    window.acceptDrops();
    clock.mark();  // the drop registration

    window.show(showCommand);
    clock.mark();  // shown, painted and activated
    MSG message{};
    bool idle = false;
    for (;;) {
        if (!idle && !::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            idle = true;
            clock.mark();  // the first messages handled
            clock.write();
            ::PostQuitMessage(0);
        }
        if (::GetMessageW(&message, nullptr, 0, 0) <= 0) break;
        if (window.preTranslate(message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return 0;
}
