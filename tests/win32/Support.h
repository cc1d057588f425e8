#pragma once

// Helpers and common headers of the tests that run under Wine.
#include <windows.h>

#include <gtest/gtest.h>
#include <shlobj.h>

#include <array>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <thread>

#include "app/MainController.h"
#include "win32/BufferCall.h"
#include "win32/Handles.h"
#include "win32/MainWindow.h"
#include "win32/MessageLoop.h"
#include "win32/UiHandles.h"
#include "win32/Win32FileSystem.h"
#include "win32/Win32ProcessServices.h"
#include "win32/Win32TextServices.h"
#include "win32/WorkerThread.h"

namespace twinpath::wine {

using namespace twinpath;
using namespace std::chrono_literals;

// Handles this thread's waiting messages and polls `condition` until it holds
// or `limit` has passed; true when it held.
inline bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit = 10s) {
    for (const auto end = std::chrono::steady_clock::now() + limit;; ::Sleep(20)) {
        win32::handleWaitingMessages();
        if (condition()) return true;
        if (std::chrono::steady_clock::now() > end) return false;
    }
}

// A process started with `commandLine` in `folder` (this one's when null), with the standard streams
// given (input, output, error) or else none; null when it cannot start.
inline win32::UniqueHandle startProcess(std::wstring commandLine, const wchar_t* folder = nullptr,
                                        std::array<HANDLE, 3> streams = {}) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = streams[0] ? STARTF_USESTDHANDLES : 0;
    startup.hStdInput = streams[0], startup.hStdOutput = streams[1], startup.hStdError = streams[2];
    PROCESS_INFORMATION started{};
    ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, streams[0] != nullptr,
                     streams[0] ? CREATE_NO_WINDOW : 0, nullptr, folder, &startup, &started);
    const win32::UniqueHandle thread(started.hThread);
    return win32::UniqueHandle(started.hProcess);
}

// The exit code of `process`, handling this thread's messages while it runs;
// STILL_ACTIVE, and the process ended, when it does not end within `limit`.
inline DWORD exitCodeOf(HANDLE process, std::chrono::milliseconds limit = 15s) {
    DWORD code = STILL_ACTIVE;
    if (!waitUntil([&] { return ::GetExitCodeProcess(process, &code) && code != STILL_ACTIVE; }, limit))
        ::TerminateProcess(process, STILL_ACTIVE);
    return code;
}

// A process started with `commandLine`, ended when the object goes if it still runs.
struct StartedProcess {
    explicit StartedProcess(std::wstring commandLine) : process(startProcess(std::move(commandLine))) {}
    ~StartedProcess() { ::TerminateProcess(process.get(), 1) && ::WaitForSingleObject(process.get(), 5000); }
    DWORD exitCode() const { return exitCodeOf(process.get()); }
    win32::UniqueHandle process;
};

// The program's main window once one is visible; null when none appears in 10 s.
inline HWND mainWindow() {
    HWND window = nullptr;
    waitUntil([&] { return (window = ::FindWindowW(win32::kMainWindowClass, nullptr)) && ::IsWindowVisible(window); });
    return window;
}

// The short form the system reports for a path: never hard-coded, since
// Wine invents aliases by hashing.
inline std::wstring systemShortPath(const std::wstring& path) {
    std::wstring result;
    win32::callWithGrowingBuffer(
        [&](wchar_t* buffer, DWORD size) { return ::GetShortPathNameW((L"\\\\?\\" + path).c_str(), buffer, size); },
        result);
    return result.starts_with(L"\\\\?\\") ? result.substr(4) : result;
}

// A folder of the test's own under the temporary folder (which Wine gives in
// its stored form), removed with everything in it when the object goes.
struct TempTree {
    TempTree() { std::filesystem::create_directories(root); }
    ~TempTree() {
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }
    TempTree(const TempTree&) = delete;

    // Adds a folder when `relative` ends in "\", else a file holding `bytes`,
    // grown (sparse) to `size` when that is more; returns the full path.
    std::wstring add(const std::wstring& relative, const std::string& bytes = {}, std::uint64_t size = 0) const {
        const std::filesystem::path path = root + L"\\" + relative;
        std::filesystem::create_directories(path.parent_path());
        if (path.has_filename()) std::ofstream(path, std::ios::binary) << bytes;
        if (size > bytes.size()) std::filesystem::resize_file(path, size);
        return (path.has_filename() ? path : path.parent_path()).wstring();
    }

    const std::wstring root =
        (std::filesystem::temp_directory_path() /
         (L"twinpath-test-" + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(::GetTickCount64())))
            .wstring();
};

// A plain window of this thread, destroyed when the object goes.
inline win32::UniqueWindow plainWindow(DWORD style, HWND parent = nullptr) {
    return win32::UniqueWindow(::CreateWindowExW(0, L"STATIC", L"", style, 0, 0, 99, 99, parent, {}, {}, {}));
}

// A window's text through WM_GETTEXT, so also of another process's controls;
// empty when the window does not answer.
inline std::wstring textOf(HWND window) {
    std::wstring text(32768, L'\0');
    DWORD_PTR length = 0;
    const bool answered = ::SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                                                SMTO_ABORTIFHUNG, 2000, &length);
    return text.substr(0, answered ? length : 0);
}

// The clipboard opened for `owner` (retried for a while) until the object goes.
struct ClipboardSession {
    explicit ClipboardSession(HWND owner = nullptr) : open(waitUntil([owner] { return ::OpenClipboard(owner); }, 2s)) {}
    ~ClipboardSession() {
        if (open) ::CloseClipboard();
    }
    ClipboardSession(const ClipboardSession&) = delete;
    const bool open;
};

// The clipboard's CF_UNICODETEXT; nothing when it holds none.
inline std::optional<std::wstring> clipboardText() {
    const ClipboardSession clipboard;
    const win32::GlobalLockGuard lock(clipboard.open ? ::GetClipboardData(CF_UNICODETEXT) : nullptr);
    const auto* text = static_cast<const wchar_t*>(lock.data());
    if (!text) return std::nullopt;
    return std::wstring(text, ::wcsnlen(text, lock.size() / sizeof(wchar_t)));
}

// The UTF-16 units of `text` as bytes.
inline std::string bytesOf(const std::wstring& text) {
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

// The bytes of a CF_HDROP block: its header, which says the names start at
// `offset`, then each name ended by a NUL and the list by one more.
inline std::string fileListBytes(const std::vector<std::wstring>& names, DWORD offset = sizeof(DROPFILES)) {
    const DROPFILES header{offset, {}, FALSE, TRUE};
    std::wstring list;
    for (const auto& name : names) list += name + L'\0';
    return std::string(reinterpret_cast<const char*>(&header), sizeof header) + bytesOf(list + L'\0');
}

// The bytes in movable global memory, as dropped lists and the clipboard hold them.
inline win32::UniqueGlobal globalCopy(const std::string& bytes) {
    win32::UniqueGlobal memory(::GlobalAlloc(GMEM_MOVEABLE, bytes.size()));
    const win32::GlobalLockGuard lock(memory.get());
    if (lock.data()) std::memcpy(lock.data(), bytes.data(), bytes.size());
    return memory;
}

// The program's window and controller in this process, on `fileSystem`; `created` when the window was made.
struct WindowSession {
    explicit WindowSession(std::shared_ptr<FileSystem> fileSystem = std::make_shared<win32::Win32FileSystem>())
        : controller(window, work, std::move(fileSystem), std::make_shared<win32::Win32TextServices>(), process) {
        window.attach(controller);
        created = window.create();
    }
    win32::Win32ProcessServices process;  // the first copy: its command line names nothing
    win32::WorkerThread work;
    win32::MainWindow window{::GetModuleHandleW(nullptr), work};
    MainController controller;
    bool created = false;
};

}  // namespace twinpath::wine
