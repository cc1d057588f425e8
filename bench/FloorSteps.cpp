#include "bench/FloorSteps.h"

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace twinpath::bench {

namespace {

// One kind of start: a program, with the steps it is given, and the kind its
// cost is taken against (the floor, or the step it needs).
struct Kind {
    const char* label;
    const wchar_t* steps;  // nullptr: the program itself, or controls_window.exe
    int base;              // index of the kind it is compared with
};

constexpr int kFloor = 0;
constexpr int kWithCommonControls = 3;
constexpr int kWithImports = 10;
constexpr int kWithOle = 13;
constexpr int kProgramKind = 17;
constexpr int kControlsKind = 18;

constexpr Kind kKinds[] = {
    {"scratch_window.exe (the floor)", L"", kFloor},
    {"class with the icon", L"/steps:icon", kFloor},
    {"face found by font enumeration", L"/steps:face", kFloor},
    {"comctl32 loaded, InitCommonControlsEx", L"/steps:comctl", kFloor},
    {"three controls subclassed", L"/steps:subclass", kWithCommonControls},
    {"buttons' tooltip window, five tools", L"/steps:tooltips", kWithCommonControls},
    {"accelerators and the mode menu", L"/steps:menus", kFloor},
    {"DPI: font ForDpi, frame at each size", L"/steps:dpi", kFloor},
    {"forms read on a thread, awaited", L"/steps:thread", kFloor},
    {"instance test's mutex", L"/steps:mutex", kFloor},
    {"ADVAPI32 and VERSION loaded", L"/steps:imports", kFloor},
    {"version read from the resource", L"/steps:version", kWithImports},
    {"DDE server, service registered", L"/steps:dde", kFloor},
    {"OLE initialised, drop target", L"/steps:ole", kFloor},
    {"buttons' names (accessibility)", L"/steps:names", kWithOle},
    {"a second full paint", L"/steps:repaint", kFloor},
    {"every step above", L"/steps:all", kFloor},
    {"twinpath.exe", nullptr, kFloor},
    {"controls_window.exe", nullptr, kFloor},
};
constexpr int kKindCount = static_cast<int>(std::size(kKinds));

struct Lap {
    std::string stage;
    double ms;
};

// One start of scratch_window.exe with "report": each stage's time, in the
// order the program wrote them.
std::optional<std::vector<Lap>> lapsOfOneStart(const wchar_t* program, const std::wstring& arguments) {
    const auto written = outputOfOneStart(program, arguments);
    if (!written) return std::nullopt;
    const std::string& output = *written;
    std::vector<Lap> laps;
    for (std::size_t begin = 0; begin < output.size();) {
        const std::size_t end = std::min(output.find('\n', begin), output.size());
        const std::size_t tab = output.find('\t', begin);
        if (tab < end) laps.push_back({output.substr(begin, tab - begin), std::atof(output.c_str() + tab + 1)});
        begin = end + 1;
    }
    if (laps.empty()) return std::nullopt;
    return laps;
}

}  // namespace

bool measureFloorStages(const wchar_t* scratch, const StartFiles& files, int rounds,
                        const std::function<std::optional<double>()>& programFirstStage) {
    // The floor, the steps that move other stages' time, and all of them.
    constexpr const wchar_t* kStarts[] = {L"/steps:report", L"/steps:icon,report", L"/steps:comctl,report",
                                          L"/steps:thread,report", L"/steps:all,report"};
    constexpr int kStartCount = static_cast<int>(std::size(kStarts));
    // For each start, its stages in the order first seen, each with its times.
    std::vector<std::pair<std::string, std::vector<double>>> stages[kStartCount];
    std::vector<double> totals[kStartCount];
    std::vector<double> programFirst;
    int failures = 0;
    // The kinds alternate within each round, beginning with a different one
    // each time; the program's first stage is the third kind.
    for (int round = 0; round < rounds; ++round) {
        for (int turn = 0; turn <= kStartCount; ++turn) {
            const int kind = (round + turn) % (kStartCount + 1);
            if (kind == kStartCount) {
                if (const auto ms = programFirstStage())
                    programFirst.push_back(*ms);
                else
                    ++failures;
                continue;
            }
            const auto laps = lapsOfOneStart(scratch, std::wstring(kStarts[kind]) + L" " + quoted(files.first));
            if (!laps) {
                ++failures;
                continue;
            }
            double total = 0;
            for (const Lap& lap : *laps) {
                auto& own = stages[kind];
                auto found = std::find_if(own.begin(), own.end(), [&](const auto& s) { return s.first == lap.stage; });
                if (found == own.end()) found = own.insert(own.end(), {lap.stage, {}});
                found->second.push_back(lap.ms);
                total += lap.ms;
            }
            totals[kind].push_back(total);
        }
    }
    for (int kind = 0; kind < kStartCount; ++kind) {
        std::printf("scratch_window.exe %ls, each stage timed in the process, %d rounds%s\n", kStarts[kind], rounds,
                    failures ? " (some starts failed)" : "");
        std::printf("  %-50s %9s %9s\n", "", "best", "median");
        for (const auto& [stage, times] : stages[kind]) {
            Best best;
            for (const double ms : times) best.take(ms);
            std::printf("  %-50s %6.2f ms %6.2f ms\n", stage.c_str(), best.seconds(), median(times));
        }
        std::printf("  %-50s %9s %6.2f ms\n", "creation to the first idle", "", median(totals[kind]));
    }
    Best best;
    for (const double ms : programFirst) best.take(ms);
    std::printf("  %-50s %6.2f ms %6.2f ms\n", "twinpath's runProgram: process start, to its first line",
                best.seconds(), median(programFirst));
    return failures == 0;
}

bool measureFloorSteps(const FloorPrograms& programs, const StartFiles& files, int rounds) {
    std::vector<std::vector<std::optional<double>>> seconds(
        kKindCount, std::vector<std::optional<double>>(static_cast<std::size_t>(rounds)));
    int failures = 0;
    const auto start = [&](int kind) {
        if (kind == kProgramKind)
            return timeStart(programs.program, programs.programClass, ShownIn::FirstChild, files.first);
        if (kind == kControlsKind)
            return timeStart(programs.controls, programs.controlsClass, ShownIn::FirstChild, files.first);
        return timeStart(programs.scratch, programs.scratchClass, ShownIn::FirstChild, files.first, kKinds[kind].steps);
    };
    // Untimed first starts: every file in the cache.
    for (int kind = 0; kind < kKindCount; ++kind)
        if (!start(kind)) ++failures;
    // Each round starts every kind, beginning with a different one each time.
    for (int round = 0; round < rounds; ++round) {
        for (int turn = 0; turn < kKindCount; ++turn) {
            const int kind = (round + turn) % kKindCount;
            if (const auto figures = start(kind))
                seconds[static_cast<std::size_t>(kind)][static_cast<std::size_t>(round)] = figures->seconds;
            else
                ++failures;
        }
    }
    std::printf("the program's start steps against scratch_window.exe, %d rounds%s\n", rounds,
                failures ? " (some starts failed)" : "");
    std::printf("  %-40s %9s %9s %12s %12s\n", "", "best", "median", "cost, median", "cost, best");
    for (int kind = 0; kind < kKindCount; ++kind) {
        const auto& own = seconds[static_cast<std::size_t>(kind)];
        const auto& base = seconds[static_cast<std::size_t>(kKinds[kind].base)];
        std::vector<double> all;
        std::vector<double> differences;
        std::vector<double> ratios;
        Best best;
        Best baseBest;
        for (std::size_t round = 0; round < own.size(); ++round) {
            if (own[round]) {
                all.push_back(*own[round]);
                best.take(*own[round]);
            }
            if (base[round]) baseBest.take(*base[round]);
            if (own[round] && base[round]) {
                differences.push_back(*own[round] - *base[round]);
                ratios.push_back(*own[round] / *base[round]);
            }
        }
        if (all.empty()) {
            std::printf("  %-40s no start\n", kKinds[kind].label);
            continue;
        }
        std::printf("  %-40s %6.1f ms %6.1f ms", kKinds[kind].label, best.seconds() * 1e3, median(all) * 1e3);
        if (kind != kFloor)
            std::printf(" %+9.1f ms %+9.1f ms   %.2fx / %.2fx %s", median(differences) * 1e3,
                        (best.seconds() - baseBest.seconds()) * 1e3, median(ratios),
                        best.seconds() / baseBest.seconds(), kKinds[kKinds[kind].base].label);
        std::printf("\n");
    }
    return failures == 0;
}

}  // namespace twinpath::bench
