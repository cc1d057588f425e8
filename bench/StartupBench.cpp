// Start-up, hand-off and footprint of twinpath.exe, each next to a floor
// measured in the same run:
// - start to window shown: from CreateProcess until the window is visible and
//   its long-name field shows the path given on the command line, next to
//   controls_window.exe (the same window and controls, and nothing else) and
//   minimal_window.exe (its caption shows its command line), started and
//   awaited the same way, and scratch_window.exe (the same window written
//   from the documented calls alone, sharing no code with the program);
// - the program's start steps, each added on its own to scratch_window.exe;
// - a second start's hand-off: with a first copy running, from starting a
//   second copy with another path until the first copy's field shows it, next
//   to starting and ending minimal_window.exe without a window;
// - footprint: the size of both program files and their working sets once
//   the window is shown.
// Every started process is ended before this program ends.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "bench/FloorSteps.h"
#include "bench/StartTiming.h"
#include "win32/MainWindow.h"

namespace {

using namespace twinpath;
using namespace twinpath::bench;

constexpr wchar_t kProgram[] = L"" TWINPATH_EXE;
constexpr wchar_t kMinimal[] = L"" MINIMAL_WINDOW_EXE;
constexpr wchar_t kControls[] = L"" CONTROLS_WINDOW_EXE;
constexpr wchar_t kScratch[] = L"" SCRATCH_WINDOW_EXE;
constexpr wchar_t kSameImports[] = L"" SAME_IMPORTS_EXE;
constexpr wchar_t kLoadLibrary[] = L"" LOAD_LIBRARY_EXE;
constexpr wchar_t kStartupSteps[] = L"" STARTUP_STEPS_EXE;
// What startup_steps.exe times, in the order it writes them.
constexpr const char* kSteps[] = {"process start and DLLs, to the first line",
                                  "the instance test",
                                  "first conversion started, common controls",
                                  "the window with its controls and fonts",
                                  "the DDE service",
                                  "the version, the wait for the forms",
                                  "show: painted and activated",
                                  "OLE and the drop registration",
                                  "the first messages handled"};
constexpr int kStepCount = static_cast<int>(std::size(kSteps));
// What load_library.exe loads, one per start: nothing, then the DLLs that
// twinpath.exe imports beyond KERNEL32, GDI32 (which USER32 loads) and the C
// runtime.
constexpr const wchar_t* kDlls[] = {
    L"", L"USER32.dll", L"COMCTL32.dll", L"ole32.dll", L"SHELL32.dll", L"VERSION.dll", L"ADVAPI32.dll"};
constexpr int kDllCount = static_cast<int>(std::size(kDlls));
constexpr const wchar_t* kProgramClass = win32::kMainWindowClass;
constexpr wchar_t kMinimalClass[] = L"TwinpathMinimalWindow";
constexpr wchar_t kControlsClass[] = L"Twinpath.ControlsWindow";
constexpr wchar_t kScratchClass[] = L"Twinpath.ScratchWindow";

constexpr int kRounds = 25;
// Nineteen kinds of start a round: fewer rounds than the others.
constexpr int kFloorStepRounds = 20;

std::optional<std::uint64_t> fileSize(const wchar_t* path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(path, GetFileExInfoStandard, &data)) return std::nullopt;
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

double megabytes(SIZE_T bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

struct MemoryRange {
    std::vector<double> workingSet;
    void take(const std::optional<Memory>& memory) {
        if (memory) workingSet.push_back(megabytes(memory->workingSet));
    }
};

bool measureStartUp(const StartFiles& files) {
    // Untimed first starts: the program files in the cache.
    if (!timeStart(kMinimal, kMinimalClass, ShownIn::Caption, files.first) ||
        !timeStart(kControls, kControlsClass, ShownIn::FirstChild, files.first) ||
        !timeStart(kScratch, kScratchClass, ShownIn::FirstChild, files.first) ||
        !timeStart(kProgram, kProgramClass, ShownIn::FirstChild, files.first)) {
        std::printf("start-up: a program did not show its window\n");
        return false;
    }
    // The programs that show a window: the program itself and its floors.
    struct Windowed {
        const wchar_t* program;
        const wchar_t* className;
        ShownIn where;
        Best shown;
        Best created;
        MemoryRange memory;
        // Each round's figure, for ratios within a round.
        std::vector<std::optional<double>> rounds = std::vector<std::optional<double>>(kRounds);
    };
    Windowed windowed[] = {{kProgram, kProgramClass, ShownIn::FirstChild, {}, {}, {}},
                           {kControls, kControlsClass, ShownIn::FirstChild, {}, {}, {}},
                           {kScratch, kScratchClass, ShownIn::FirstChild, {}, {}, {}},
                           {kMinimal, kMinimalClass, ShownIn::Caption, {}, {}, {}}};
    // The median over the rounds of one kind's figure over another's in the
    // same round: steadier than a ratio of two best figures when the
    // machine's speed drifts during the run.
    const auto roundRatio = [](const Windowed& a, const Windowed& b) {
        std::vector<double> ratios;
        for (std::size_t round = 0; round < a.rounds.size(); ++round)
            if (a.rounds[round] && b.rounds[round]) ratios.push_back(*a.rounds[round] / *b.rounds[round]);
        return bench::median(ratios);
    };
    constexpr int kWindowed = static_cast<int>(std::size(windowed));
    Windowed& program = windowed[0];
    Windowed& controls = windowed[1];
    Windowed& scratch = windowed[2];
    Windowed& minimal = windowed[3];
    Best minimalBare;
    Best sameImports;
    Best dlls[kDllCount];
    int failures = 0;
    // Each round starts every kind, beginning with a different one each time,
    // so that none always follows the same other's end.
    constexpr int kKinds = kWindowed + 2 + kDllCount;
    for (int round = 0; round < kRounds; ++round) {
        for (int turn = 0; turn < kKinds; ++turn) {
            const int kind = (round + turn) % kKinds;
            if (kind < kWindowed) {
                Windowed& w = windowed[kind];
                const auto figures = timeStart(w.program, w.className, w.where, files.first);
                if (!figures) {
                    ++failures;
                    continue;
                }
                w.shown.take(figures->seconds);
                w.rounds[static_cast<std::size_t>(round)] = figures->seconds;
                w.created.take(figures->created);
                w.memory.take(figures->memory);
            } else if (kind >= kWindowed + 2) {
                if (const auto seconds = timeBareStart(kLoadLibrary, kDlls[kind - kWindowed - 2]))
                    dlls[kind - kWindowed - 2].take(*seconds);
                else
                    ++failures;
            } else {
                const bool bare = kind == kWindowed;
                const auto seconds = bare ? timeBareStart(kMinimal) : timeBareStart(kSameImports);
                if (!seconds) {
                    ++failures;
                    continue;
                }
                (bare ? minimalBare : sameImports).take(*seconds);
            }
        }
    }
    const double programShown = program.shown.seconds();
    std::printf("start to window shown with the path, best of %d rounds%s\n", kRounds,
                failures ? " (some starts failed)" : "");
    std::printf("  minimal_window.exe               %7.1f ms\n", minimal.shown.seconds() * 1e3);
    std::printf("  controls_window.exe              %7.1f ms   %.2fx the minimal window program\n",
                controls.shown.seconds() * 1e3, controls.shown.seconds() / minimal.shown.seconds());
    std::printf(
        "  twinpath.exe                     %7.1f ms   %.2fx the controls window program (aim 1.15x), %.2fx "
        "the minimal one (aim 1.3x)\n",
        programShown * 1e3, programShown / controls.shown.seconds(), programShown / minimal.shown.seconds());
    std::printf(
        "  median of the rounds' ratios: twinpath.exe %.2fx controls_window.exe, %.2fx minimal_window.exe; "
        "controls_window.exe %.2fx minimal_window.exe\n",
        roundRatio(program, controls), roundRatio(program, minimal), roundRatio(controls, minimal));
    std::printf("  scratch_window.exe               %7.1f ms   the same window from scratch\n",
                scratch.shown.seconds() * 1e3);
    std::printf(
        "  against scratch_window.exe: twinpath.exe %.2fx (median of the rounds' ratios; aim 1.15x), %.2fx best; "
        "controls_window.exe %.2fx, %.2fx best\n",
        roundRatio(program, scratch), programShown / scratch.shown.seconds(), roundRatio(controls, scratch),
        controls.shown.seconds() / scratch.shown.seconds());
    std::printf("start until the window exists (created, not yet shown), best of %d rounds\n", kRounds);
    std::printf("  minimal_window.exe               %7.1f ms\n", minimal.created.seconds() * 1e3);
    std::printf("  controls_window.exe              %7.1f ms\n", controls.created.seconds() * 1e3);
    std::printf("  scratch_window.exe               %7.1f ms\n", scratch.created.seconds() * 1e3);
    std::printf("  twinpath.exe                     %7.1f ms\n", program.created.seconds() * 1e3);
    std::printf("start to end without a window, best of %d rounds\n", kRounds);
    std::printf("  minimal_window.exe /exit         %7.1f ms\n", minimalBare.seconds() * 1e3);
    std::printf("  same_imports.exe                 %7.1f ms   +%.1f ms: the program's DLLs and resources\n",
                sameImports.seconds() * 1e3, (sameImports.seconds() - minimalBare.seconds()) * 1e3);

    std::printf("start to end of load_library.exe loading one DLL, best of %d rounds\n", kRounds);
    for (int i = 0; i < kDllCount; ++i) {
        const double seconds = dlls[i].seconds();
        if (i == 0) {
            std::printf("  nothing (KERNEL32, msvcrt only)  %7.1f ms\n", seconds * 1e3);
        } else {
            std::printf("  %-32ls %7.1f ms   +%.1f ms\n", kDlls[i], seconds * 1e3, (seconds - dlls[0].seconds()) * 1e3);
        }
    }

    std::printf("working set %lu ms after the window shows (median of %zu)\n", static_cast<unsigned long>(kSettleMs),
                program.memory.workingSet.size());
    if (program.memory.workingSet.empty() || minimal.memory.workingSet.empty() || controls.memory.workingSet.empty()) {
        std::printf("  not readable\n");
    } else {
        const double minimalSet = bench::median(minimal.memory.workingSet);
        const double controlsSet = bench::median(controls.memory.workingSet);
        const double programSet = bench::median(program.memory.workingSet);
        std::printf("  minimal_window.exe               %7.2f MB\n", minimalSet);
        std::printf("  controls_window.exe              %7.2f MB   %.2fx the minimal window program\n", controlsSet,
                    controlsSet / minimalSet);
        std::printf(
            "  twinpath.exe                     %7.2f MB   %.2fx the minimal window program (aim 1.25x), "
            "%.2fx the controls window program\n",
            programSet, programSet / minimalSet, programSet / controlsSet);
        if (!scratch.memory.workingSet.empty())
            std::printf("  scratch_window.exe               %7.2f MB   %.2fx the minimal window program\n",
                        bench::median(scratch.memory.workingSet),
                        bench::median(scratch.memory.workingSet) / minimalSet);
    }
    return failures == 0;
}

// One start of startup_steps.exe: the end of each step in milliseconds from
// the process's creation, as it writes them to the pipe it is given.
std::optional<std::vector<double>> stepsOfOneStart(const std::wstring& path) {
    const auto output = outputOfOneStart(kStartupSteps, quoted(path));
    if (!output) return std::nullopt;
    std::vector<double> ends;
    const char* cursor = output->c_str();
    char* next = nullptr;
    for (double value = std::strtod(cursor, &next); next != cursor; value = std::strtod(cursor, &next)) {
        ends.push_back(value);
        cursor = next;
    }
    if (static_cast<int>(ends.size()) != kStepCount) return std::nullopt;
    return ends;
}

bool measureSteps(const StartFiles& files) {
    Best steps[kStepCount];
    int failures = 0;
    for (int round = 0; round < kRounds; ++round) {
        const auto ends = stepsOfOneStart(files.first);
        if (!ends) {
            ++failures;
            continue;
        }
        for (int i = 0; i < kStepCount; ++i)
            steps[i].take(
                ((*ends)[static_cast<std::size_t>(i)] - (i > 0 ? (*ends)[static_cast<std::size_t>(i - 1)] : 0)) / 1e3);
    }
    std::printf("twinpath.exe's start-up step by step (startup_steps.exe), best of %d rounds each%s\n", kRounds,
                failures ? " (some starts failed)" : "");
    for (int i = 0; i < kStepCount; ++i) std::printf("  %-45s %7.1f ms\n", kSteps[i], steps[i].seconds() * 1e3);
    return failures == 0;
}

bool measureHandOff(const StartFiles& files) {
    LaunchedProcess running(kProgram, quoted(files.first));
    HWND field = nullptr;
    const Stopwatch clock;
    if (!pollUntil(clock, [&] {
            const HWND window = visibleWindowOf(running.id(), kProgramClass);
            field = window ? ::GetWindow(window, GW_CHILD) : nullptr;
            return field && textOf(field) == files.first;
        })) {
        std::printf("hand-off: the first copy did not show its window\n");
        return false;
    }
    Best bareStart;
    Best ddeStart;
    Best handOff;
    Best secondEnded;
    int failures = 0;
    for (int round = 0; round < kRounds; ++round) {
        if (const auto seconds = timeBareStart(kMinimal))
            bareStart.take(*seconds);
        else
            ++failures;
        if (const auto seconds = timeBareStart(kMinimal, L"/dde"))
            ddeStart.take(*seconds);
        else
            ++failures;

        // Alternating paths, so every hand-off changes the field.
        const std::wstring& path = round % 2 == 0 ? files.second : files.first;
        if (textOf(field) == path) {
            // An earlier round's path never arrived: this one would seem to
            // arrive at once.
            ++failures;
            continue;
        }
        const Stopwatch start;
        LaunchedProcess second(kProgram, quoted(path));
        const auto shown = pollUntil(start, [&] { return textOf(field) == path; });
        const auto code = second.waitForExit(static_cast<DWORD>(kLimitSeconds * 1000));
        if (!shown || !code || *code != 0) {
            ++failures;
            continue;
        }
        handOff.take(*shown);
        secondEnded.take(start.seconds());
    }
    const int windows = visibleWindowsOf(kProgramClass);
    std::printf("second start's hand-off, best of %d rounds%s\n", kRounds, failures ? " (some rounds failed)" : "");
    std::printf("  minimal_window.exe /exit         %7.1f ms\n", bareStart.seconds() * 1e3);
    std::printf("  minimal_window.exe /dde          %7.1f ms   a DDE client instance opened and closed\n",
                ddeStart.seconds() * 1e3);
    std::printf("  second start to path shown       %7.1f ms   %.2fx the minimal program (aim 1.5x), %.2fx /dde\n",
                handOff.seconds() * 1e3, handOff.seconds() / bareStart.seconds(),
                handOff.seconds() / ddeStart.seconds());
    std::printf("  second start to its end          %7.1f ms   %.2fx the minimal program\n",
                secondEnded.seconds() * 1e3, secondEnded.seconds() / bareStart.seconds());
    std::printf("  program windows shown afterwards: %d\n", windows);
    return failures == 0 && windows == 1;
}

void printFileSizes() {
    const auto program = fileSize(kProgram);
    const auto minimal = fileSize(kMinimal);
    if (!program || !minimal) {
        std::printf("program files not found\n");
        return;
    }
    std::printf("program file size\n");
    std::printf("  minimal_window.exe               %9llu bytes\n", static_cast<unsigned long long>(*minimal));
    std::printf("  twinpath.exe                     %9llu bytes   %.2fx the minimal window program, %.3f MiB\n",
                static_cast<unsigned long long>(*program),
                static_cast<double>(*program) / static_cast<double>(*minimal),
                static_cast<double>(*program) / (1024.0 * 1024.0));
}

}  // namespace

// The parts of the run a caller can name, to run them alone.
bool wanted(int count, wchar_t** arguments, const wchar_t* part) {
    if (count < 2) return true;
    for (int i = 1; i < count; ++i)
        if (std::wcscmp(arguments[i], part) == 0) return true;
    return false;
}

// Runs every part, or only those named: start, steps, floor-steps,
// floor-stages, hand-off.
int wmain(int count, wchar_t** arguments) {
    bench::installCrashHandling();
    // Wine's desktop process ends a moment after the last window closes, and
    // the next window then waits for it to start again. A hidden window held
    // for the whole run keeps it running, as the desktop always is on Windows.
    const LaunchedProcess desktopKeeper(kMinimal, L"keeper", nullptr, LaunchedProcess::Show::Hidden);
    const StartFiles files;
    printFileSizes();
    std::fflush(stdout);
    bool ok = true;
    if (wanted(count, arguments, L"start")) ok = measureStartUp(files) && ok;
    std::fflush(stdout);
    if (wanted(count, arguments, L"steps")) ok = measureSteps(files) && ok;
    std::fflush(stdout);
    if (wanted(count, arguments, L"floor-steps"))
        ok = measureFloorSteps({kScratch, kScratchClass, kProgram, kProgramClass, kControls, kControlsClass}, files,
                               kFloorStepRounds) &&
             ok;
    std::fflush(stdout);
    if (wanted(count, arguments, L"floor-stages"))
        ok = measureFloorStages(kScratch, files, kRounds,
                                [&files]() -> std::optional<double> {
                                    const auto ends = stepsOfOneStart(files.first);
                                    if (!ends) return std::nullopt;
                                    return ends->front();
                                }) &&
             ok;
    std::fflush(stdout);
    if (wanted(count, arguments, L"hand-off")) ok = measureHandOff(files) && ok;
    return ok ? 0 : 1;
}
