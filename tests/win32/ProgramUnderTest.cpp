#include "tests/win32/ProgramUnderTest.h"

#include <algorithm>
#include <cwchar>
#include <thread>

namespace twinpath::wine {

namespace {

constexpr wchar_t kWindowClass[] = L"TwinpathF";
// Control i of controlTable() has the ID kFirstControlId + i.
constexpr int kFirstControlId = 1000;

std::wstring classOf(HWND hwnd) {
    wchar_t name[256]{};
    return std::wstring(
        name, static_cast<std::size_t>(::GetClassNameW(hwnd, name, static_cast<int>(std::size(name)))));
}

}  // namespace

bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return condition();
}

Program::Program(const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + std::wstring(L"" TWINPATH_EXE) + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &started))
        return;
    ::CloseHandle(started.hThread);
    process_.reset(started.hProcess);
    id_ = started.dwProcessId;
}

Program::~Program() {
    if (running()) {
        ::TerminateProcess(process_.get(), 1);
        ::WaitForSingleObject(process_.get(), 5000);
    }
}

bool Program::running() const { return process_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }

std::optional<DWORD> Program::waitForExit(std::chrono::milliseconds limit) const {
    if (!process_ ||
        ::WaitForSingleObject(process_.get(), static_cast<DWORD>(limit.count())) != WAIT_OBJECT_0)
        return std::nullopt;
    DWORD code = 0;
    ::GetExitCodeProcess(process_.get(), &code);
    return code;
}

HWND Program::window() const {
    HWND found = nullptr;
    if (!process_) return found;
    waitUntil([&] {
        found = windowOf(id_);
        return found != nullptr;
    });
    return found;
}

std::vector<std::wstring> Program::strayWindows() const {
    struct Search {
        DWORD processId;
        std::vector<std::wstring> found;
    } search{id_, {}};
    ::EnumWindows(
        [](HWND hwnd, LPARAM context) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(context);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(hwnd, &owner);
            if (owner != s.processId || !::IsWindowVisible(hwnd)) return TRUE;
            if (const std::wstring name = classOf(hwnd); name != kWindowClass) s.found.push_back(name);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND Program::windowOf(DWORD processId) {
    for (HWND hwnd = ::FindWindowExW(nullptr, nullptr, kWindowClass, nullptr); hwnd;
         hwnd = ::FindWindowExW(nullptr, hwnd, kWindowClass, nullptr)) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(hwnd, &owner);
        if (owner == processId && ::IsWindowVisible(hwnd)) return hwnd;
    }
    return nullptr;
}

int windowsOfTheProgram() {
    int count = 0;
    for (HWND hwnd = ::FindWindowExW(nullptr, nullptr, kWindowClass, nullptr); hwnd;
         hwnd = ::FindWindowExW(nullptr, hwnd, kWindowClass, nullptr))
        count += ::IsWindowVisible(hwnd) ? 1 : 0;
    return count;
}

std::wstring textOf(HWND hwnd) {
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) return {};
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!::SendMessageTimeoutW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                               SMTO_ABORTIFHUNG, 2000, &copied))
        return {};
    text.resize(std::min<std::size_t>(copied, length));
    return text;
}

HWND field(HWND window, int index) { return control(window, ControlGroup::TextFileName, index); }

HWND control(HWND window, ControlGroup group, int index) {
    const auto table = controlTable();
    for (std::size_t i = 0; i < table.size(); ++i)
        if (table[i].group == group && table[i].index == index)
            return ::GetDlgItem(window, kFirstControlId + static_cast<int>(i));
    return nullptr;
}

bool responds(HWND window) { return sendWithin(window, WM_NULL, 0, 0, std::chrono::seconds(2)); }

bool sendWithin(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, std::chrono::milliseconds limit) {
    DWORD_PTR ignored = 0;
    return ::SendMessageTimeoutW(hwnd, message, wParam, lParam, SMTO_ABORTIFHUNG,
                                 static_cast<UINT>(limit.count()), &ignored) != 0;
}
}  // namespace twinpath::wine
