#pragma once

// What the Windows benchmarks share: a clock, crash handling, the temporary
// folder, and owners for the processes they start.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "win32/BufferCall.h"
#include "win32/Handles.h"

namespace twinpath::bench {

class Stopwatch {
public:
    Stopwatch() {
        ::QueryPerformanceFrequency(&frequency_);
        ::QueryPerformanceCounter(&start_);
    }
    double seconds() const {
        LARGE_INTEGER now;
        ::QueryPerformanceCounter(&now);
        return static_cast<double>(now.QuadPart - start_.QuadPart) / static_cast<double>(frequency_.QuadPart);
    }

private:
    LARGE_INTEGER frequency_;
    LARGE_INTEGER start_;
};

// The smallest of a set of timings: the run least disturbed by the other work
// on the machine. Empty until the first figure arrives.
class Best {
public:
    void take(double seconds) { best_ = std::min(best_, seconds); }
    double seconds() const { return best_; }
    bool empty() const { return best_ == kNone; }

private:
    static constexpr double kNone = 1e300;
    double best_ = kNone;
};

inline double median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Under Wine a crash can end a process with code 0, and a benchmark that
// crashed would print half its figures as if all were well.
inline LONG WINAPI failOnCrash(EXCEPTION_POINTERS* info) {
    std::fprintf(stderr, "benchmark crashed: exception 0x%08lx\n",
                 static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode));
    std::fflush(stderr);
    ::TerminateProcess(::GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
}

inline void installCrashHandling() {
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    ::SetUnhandledExceptionFilter(failOnCrash);
}

// The temporary folder in its stored (long) form, without the final "\".
inline std::wstring temporaryFolder() {
    std::wstring temp;
    win32::callWithGrowingBuffer([](wchar_t* buffer, DWORD capacity) { return ::GetTempPathW(capacity, buffer); },
                                 temp);
    std::wstring longTemp;
    if (win32::callWithGrowingBuffer(
            [&](wchar_t* buffer, DWORD capacity) { return ::GetLongPathNameW(temp.c_str(), buffer, capacity); },
            longTemp))
        temp = longTemp;
    if (!temp.empty() && temp.back() == L'\\') temp.pop_back();
    return temp;
}

// Creates an empty file unless it exists; false when neither is so.
inline bool ensureFile(const std::wstring& path) {
    win32::UniqueHandle file(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() != INVALID_HANDLE_VALUE) return true;
    file.release();  // INVALID_HANDLE_VALUE is no handle to close
    return false;
}

// A process this benchmark started. It is ended when the owner goes: asked to
// quit first (a message to its main thread ends its message loop, so it cleans
// up as after a close), and terminated when it does not end in time, so no
// started copy outlives the run and a later start never finds it running.
class LaunchedProcess {
public:
    enum class Show { Normal, Hidden };

    // `application` is the program file, `arguments` what follows its name.
    // `standardOutput`, when given, is inherited as all three standard handles.
    LaunchedProcess(const std::wstring& application, const std::wstring& arguments, HANDLE standardOutput = nullptr,
                    Show show = Show::Normal) {
        std::wstring commandLine = L"\"" + application + L"\"";
        if (!arguments.empty()) commandLine += L" " + arguments;
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        if (show == Show::Hidden) {
            startup.dwFlags |= STARTF_USESHOWWINDOW;
            startup.wShowWindow = SW_HIDE;
        }
        if (standardOutput) {
            startup.dwFlags |= STARTF_USESTDHANDLES;
            startup.hStdInput = standardOutput;
            startup.hStdOutput = standardOutput;
            startup.hStdError = standardOutput;
        }
        PROCESS_INFORMATION info{};
        if (::CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, standardOutput != nullptr, 0,
                             nullptr, nullptr, &startup, &info)) {
            process_.reset(info.hProcess);
            thread_.reset(info.hThread);
            id_ = info.dwProcessId;
            threadId_ = info.dwThreadId;
        }
    }
    ~LaunchedProcess() { end(); }
    LaunchedProcess(const LaunchedProcess&) = delete;
    LaunchedProcess& operator=(const LaunchedProcess&) = delete;

    bool started() const { return process_ != nullptr; }
    DWORD id() const { return id_; }
    HANDLE handle() const { return process_.get(); }

    // The exit code once the process has ended within `milliseconds`.
    std::optional<DWORD> waitForExit(DWORD milliseconds) const {
        if (!process_ || ::WaitForSingleObject(process_.get(), milliseconds) != WAIT_OBJECT_0) return std::nullopt;
        DWORD code = 0;
        ::GetExitCodeProcess(process_.get(), &code);
        return code;
    }

    void end() {
        if (!process_) return;
        if (!waitForExit(0)) {
            ::PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
            if (!waitForExit(5000)) {
                ::TerminateProcess(process_.get(), 1);
                waitForExit(5000);
            }
        }
        thread_.reset();
        process_.reset();
    }

private:
    win32::UniqueHandle process_;
    win32::UniqueHandle thread_;
    DWORD id_ = 0;
    DWORD threadId_ = 0;
};

}  // namespace twinpath::bench
