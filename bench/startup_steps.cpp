// The program's start-up taken apart: the program's own runProgram, with each
// of its steps timed. It writes one line to its standard output (the times in
// milliseconds, from the process's creation to the end of each step) and ends
// at its first idle moment. startup_bench starts it as it starts twinpath.exe.
#include <windows.h>

#include <cstdio>
#include <string>

#include "win32/Program.h"

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
        ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), narrow.data(), static_cast<DWORD>(narrow.size()), &written,
                    nullptr);
    }

private:
    FILETIME created_{};
    std::wstring line_;
};

// Marks the end of every step and writes the line at the first idle moment,
// which also ends the program.
class TimedSteps final : public win32::StartupSteps {
public:
    void systemReady() override { clock_.mark(); }
    void windowCreated() override { clock_.mark(); }
    void instanceDecided() override { clock_.mark(); }
    void converting() override { clock_.mark(); }
    void startPathShown() override { clock_.mark(); }
    void acceptingDrops() override { clock_.mark(); }
    void shown() override { clock_.mark(); }
    void firstIdle() override {
        clock_.mark();
        clock_.write();
        ::PostQuitMessage(0);
    }
    StepClock& clock() { return clock_; }

private:
    StepClock clock_;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    TimedSteps steps;
    steps.clock().mark();  // process start and DLLs, to the first line
    return win32::runProgram(instance, showCommand, {.steps = &steps, .fileSystem = nullptr});
}
