#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/FormLayout.h"
#include "platform/win32/Handles.h"

#include "tests/win32/ClipboardReader.h"

namespace twinpath::wine {

// Polls `condition` until it holds or `limit` has passed; true when it held.
bool waitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds limit = std::chrono::seconds(10));

// A started copy of the built program (TWINPATH_EXE), ended when the test is
// done with it.
class Program {
public:
    explicit Program(const std::wstring& arguments);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    bool started() const { return process_ != nullptr; }
    bool running() const;
    std::optional<DWORD> waitForExit(std::chrono::milliseconds limit) const;
    // The program's visible main window, waited for; null when none appears.
    HWND window() const;
    // Class names of the visible top-level windows of the process other than
    // its main window: a message box, an error dialog, a stray popup.
    std::vector<std::wstring> strayWindows() const;

    static HWND windowOf(DWORD processId);

private:
    win32::UniqueHandle process_;
    DWORD id_ = 0;
};

// Visible main windows of every running copy.
int windowsOfTheProgram();

// A window's text read across processes; empty when it does not answer.
std::wstring textOf(HWND hwnd);
// The long (0) and short (1) name fields.
HWND field(HWND window, int index);
HWND control(HWND window, ControlGroup group, int index = 0);
// Whether the window's thread answers a message within two seconds.
bool responds(HWND window);
// Sends the message and waits up to `limit` for the window to handle it.
bool sendWithin(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, std::chrono::milliseconds limit);


}  // namespace twinpath::wine
