#include "bench/StartTiming.h"

// The process memory counters, read from this side.
#include <psapi.h>

namespace twinpath::bench {

namespace {

HWND shownText(HWND window, ShownIn where) {
    return where == ShownIn::Caption ? window : ::GetWindow(window, GW_CHILD);
}

}  // namespace

std::wstring quoted(const std::wstring& path) { return L"\"" + path + L"\""; }

HWND windowOf(DWORD processId, const wchar_t* className, bool mustBeVisible) {
    for (HWND window = ::FindWindowExW(nullptr, nullptr, className, nullptr); window;
         window = ::FindWindowExW(nullptr, window, className, nullptr)) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        if (owner == processId && (!mustBeVisible || ::IsWindowVisible(window))) return window;
    }
    return nullptr;
}

HWND visibleWindowOf(DWORD processId, const wchar_t* className) { return windowOf(processId, className, true); }

int visibleWindowsOf(const wchar_t* className) {
    int count = 0;
    for (HWND window = ::FindWindowExW(nullptr, nullptr, className, nullptr); window;
         window = ::FindWindowExW(nullptr, window, className, nullptr))
        count += ::IsWindowVisible(window) ? 1 : 0;
    return count;
}

std::wstring textOf(HWND window) {
    wchar_t buffer[1024]{};
    DWORD_PTR copied = 0;
    if (!::SendMessageTimeoutW(window, WM_GETTEXT, std::size(buffer), reinterpret_cast<LPARAM>(buffer),
                               SMTO_ABORTIFHUNG, 2000, &copied))
        return {};
    return std::wstring(buffer, copied);
}

std::optional<double> pollUntil(const Stopwatch& clock, const std::function<bool()>& condition) {
    while (clock.seconds() < kLimitSeconds) {
        if (condition()) return clock.seconds();
        ::Sleep(2);
    }
    return std::nullopt;
}

std::optional<Memory> memoryOf(DWORD processId) {
    win32::UniqueHandle process(::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    if (!process) return std::nullopt;
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    if (!::GetProcessMemoryInfo(process.get(), &counters, sizeof(counters))) return std::nullopt;
    return Memory{counters.WorkingSetSize};
}

std::optional<StartFigures> timeStart(const wchar_t* program, const wchar_t* className, ShownIn where,
                                      const std::wstring& path, const std::wstring& options) {
    const std::wstring expected = where == ShownIn::Caption ? quoted(path) : path;
    const std::wstring arguments = options.empty() ? quoted(path) : options + L" " + quoted(path);
    const Stopwatch clock;
    LaunchedProcess process(program, arguments);
    if (!process.started()) return std::nullopt;
    std::optional<double> created;
    const auto seconds = pollUntil(clock, [&] {
        const HWND window = windowOf(process.id(), className, false);
        if (window && !created) created = clock.seconds();
        return window && ::IsWindowVisible(window) && textOf(shownText(window, where)) == expected;
    });
    if (!seconds) return std::nullopt;
    ::Sleep(kSettleMs);
    return StartFigures{created.value_or(*seconds), *seconds, memoryOf(process.id())};
}

std::optional<std::string> outputOfOneStart(const wchar_t* program, const std::wstring& arguments) {
    SECURITY_ATTRIBUTES inheritable{sizeof(inheritable), nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    // Large enough for everything the program writes before it ends.
    if (!::CreatePipe(&readEnd, &writeEnd, &inheritable, 1 << 16)) return std::nullopt;
    const win32::UniqueHandle reader(readEnd);
    win32::UniqueHandle writer(writeEnd);
    ::SetHandleInformation(reader.get(), HANDLE_FLAG_INHERIT, 0);
    LaunchedProcess process(program, arguments, writer.get());
    writer.reset();
    if (!process.started()) return std::nullopt;
    const auto code = process.waitForExit(static_cast<DWORD>(kLimitSeconds * 1000));
    if (!code || *code != 0) return std::nullopt;
    std::string output;
    char buffer[512];
    DWORD waiting = 0;
    DWORD read = 0;
    while (::PeekNamedPipe(reader.get(), nullptr, 0, nullptr, &waiting, nullptr) && waiting > 0 &&
           ::ReadFile(reader.get(), buffer, sizeof(buffer), &read, nullptr) && read > 0)
        output.append(buffer, read);
    return output;
}

std::optional<double> timeBareStart(const wchar_t* program, const std::wstring& arguments) {
    const Stopwatch clock;
    LaunchedProcess process(program, arguments);
    if (!process.started()) return std::nullopt;
    const auto code = process.waitForExit(static_cast<DWORD>(kLimitSeconds * 1000));
    if (!code || *code != 0) return std::nullopt;
    return clock.seconds();
}

}  // namespace twinpath::bench
