#pragma once

// What the start-up benchmark needs to start a program and watch it: the files
// it is started with, its windows and their texts, its working set, and the
// time to its window or to its end.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "bench/BenchSupport.h"

namespace twinpath::bench {

inline constexpr double kLimitSeconds = 20;
// Long enough after the window shows for the work its first messages bring
// (painting, activation) to be done.
inline constexpr DWORD kSettleMs = 500;

// Two files with long names to start with, removed again at the end.
class StartFiles {
public:
    StartFiles() {
        ::CreateDirectoryW(folder_.c_str(), nullptr);
        ensureFile(first);
        ensureFile(second);
    }
    ~StartFiles() {
        ::DeleteFileW(first.c_str());
        ::DeleteFileW(second.c_str());
        ::RemoveDirectoryW(folder_.c_str());
    }
    StartFiles(const StartFiles&) = delete;
    StartFiles& operator=(const StartFiles&) = delete;

private:
    const std::wstring folder_ = temporaryFolder() + L"\\twinpath-bench-start";

public:
    const std::wstring first = folder_ + L"\\First Long File Name.text";
    const std::wstring second = folder_ + L"\\Second Long File Name.text";
};

std::wstring quoted(const std::wstring& path);

// The process's window of that class, shown or not yet.
HWND windowOf(DWORD processId, const wchar_t* className, bool mustBeVisible);
HWND visibleWindowOf(DWORD processId, const wchar_t* className);
// How many windows of that class are shown, in any process.
int visibleWindowsOf(const wchar_t* className);
// The window's text, asked for as another program would.
std::wstring textOf(HWND window);

// Seconds on `clock` when `condition` first holds, asked every 2 ms (often
// enough for figures of tens of milliseconds, seldom enough not to take the
// processors from the program being watched); nothing after the limit.
std::optional<double> pollUntil(const Stopwatch& clock, const std::function<bool()>& condition);

struct Memory {
    SIZE_T workingSet = 0;
};

std::optional<Memory> memoryOf(DWORD processId);

// How a started program shows that it is ready: the text of its window (the
// minimal program's caption) or of the window's first child (the program's
// long-name field).
enum class ShownIn { Caption, FirstChild };

struct StartFigures {
    // When the window first existed (created, not yet shown), and when it
    // showed the path.
    double created = 0;
    double seconds = 0;
    std::optional<Memory> memory;
};

// Starts `program` with the path in quotes, as Explorer passes it, after
// `options` when there are any, and waits until its window of that class is
// shown and shows the path: the minimal program shows its command line as it
// is, the others the path inside.
std::optional<StartFigures> timeStart(const wchar_t* program, const wchar_t* className, ShownIn where,
                                      const std::wstring& path, const std::wstring& options = {});

// Starts `program` with a pipe as its standard output and returns what it
// wrote once it has ended with code 0. The pipe is read after the end, not
// to its close: a Wine service that the program's first OLE or DDE call
// starts inherits the write end and holds it open for the session.
std::optional<std::string> outputOfOneStart(const wchar_t* program, const std::wstring& arguments);

// Starts a program that ends at once without a window, until its end.
std::optional<double> timeBareStart(const wchar_t* program, const std::wstring& arguments = L"/exit");

}  // namespace twinpath::bench
