// The list-copy command's work on folders of 1,000, 10,000 and 100,000 empty
// files, next to two floors measured in the same run over the same folder: a
// bare FindFirstFileExW loop, and `cmd /c dir /b /o:gn` (what a user would
// otherwise type), started with CreateProcess, its output going to NUL. The
// command is timed twice: its steps called one after another, and the
// window's own list-copy from the click on "List" to the report on the
// clipboard, with the listing on the window's background thread. Further
// rounds of the latter record how long the window left messages unanswered
// meanwhile.
//
// The folders are %TEMP%\twinpath-bench-<count>. bench/run.sh makes them from
// the Linux side; this program makes a missing one itself, as on Windows.
//
// Usage: listing_bench [count...]   (default: 1000 10000 100000)
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "bench/WindowListCopy.h"
#include "listing/FolderLister.h"
#include "listing/ListingOrder.h"
#include "listing/ListingReport.h"
#include "win32/Clipboard.h"
#include "win32/UiHandles.h"
#include "win32/Win32FileSystem.h"
#include "win32/Win32TextServices.h"

namespace {

using namespace twinpath;
using bench::Best;
using bench::Stopwatch;

// Rounds per size: fewer where one round is long. `dir` over 100,000 entries
// takes about a minute under Wine, so it gets the fewest. The probed rounds
// come after the others: the probe takes processor time from the listing.
struct Plan {
    int count;
    int rounds;
    int dirRounds;
    int probedRounds;
};
constexpr Plan kPlans[] = {{1'000, 9, 5, 5}, {10'000, 7, 3, 5}, {100'000, 5, 2, 5}};
constexpr double kAnswerAimMs = 50;

// The floor: enumeration alone, with the same call and flags the lister uses.
int bareEnumeration(const std::wstring& folder) {
    WIN32_FIND_DATAW data{};
    win32::UniqueFindHandle search(::FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &data,
                                                      FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (search.get() == INVALID_HANDLE_VALUE) return 0;
    int count = 0;
    do {
        ++count;
    } while (::FindNextFileW(search.get(), &data));
    return count;
}

std::wstring prepareFolder(int count) {
    const std::wstring folder = bench::temporaryFolder() + L"\\twinpath-bench-" + std::to_wstring(count);
    ::CreateDirectoryW(folder.c_str(), nullptr);
    // "." and ".." come with the files.
    if (bareEnumeration(folder) == count + 2) return folder;
    std::printf("creating %d files in %ls\n", count, folder.c_str());
    for (int i = 0; i < count; ++i) {
        wchar_t name[40];
        std::swprintf(name, 40, L"\\Document %06d.txt", i);
        bench::ensureFile(folder + name);
    }
    return folder;
}

// Counts the sort keys the sort makes, and the comparisons that still go
// through the platform (none: the keys are compared as bytes).
class CountingText final : public TextServices {
public:
    std::wstring toUpper(const std::wstring& text) override { return inner_.toUpper(text); }
    std::wstring toLower(const std::wstring& text) override { return inner_.toLower(text); }
    int compareNoCase(const std::wstring& a, const std::wstring& b) override {
        ++comparisons;
        return inner_.compareNoCase(a, b);
    }
    std::string sortKey(const std::wstring& text) override {
        ++keys;
        return inner_.sortKey(text);
    }
    long comparisons = 0;
    long keys = 0;

private:
    win32::Win32TextServices inner_;
};

struct CommandTimes {
    double list = 0;
    double sort = 0;
    double report = 0;
    double clipboard = 0;
    long comparisons = 0;
    long keys = 0;
    std::size_t reportLength = 0;
    bool copied = false;
    double total() const { return list + sort + report + clipboard; }
};

// What the list-copy command does, step by step and with the same classes, in
// the default mode (names only): the folder listed, the tables sorted, the
// report built and put on the clipboard.
CommandTimes listCopyCommand(HWND owner, const std::wstring& folder, FolderListing& listing) {
    win32::Win32FileSystem fs;
    CountingText text;
    FolderLister lister(fs);
    CommandTimes times;

    const Stopwatch listingTime;
    listing = lister.list(folder);
    times.list = listingTime.seconds();

    const Stopwatch sorting;
    sortListing(listing, text);
    times.sort = sorting.seconds();
    times.comparisons = text.comparisons;
    times.keys = text.keys;

    const Stopwatch building;
    ListingReport report(ListMode::NamesOnly);
    reportListing(listing, report);
    times.report = building.seconds();
    for (const std::wstring& piece : report.pieces) times.reportLength += piece.size();

    const Stopwatch copying;
    times.copied = win32::setClipboardText(owner, report.pieces);
    times.clipboard = copying.seconds();
    return times;
}

std::wstring systemCommandProcessor() {
    wchar_t system[MAX_PATH];
    const UINT length = ::GetSystemDirectoryW(system, MAX_PATH);
    return std::wstring(system, length) + L"\\cmd.exe";
}

// `cmd /c dir /b /o:gn` over the folder, timed from before the start to the
// end of the process. Nothing when it could not be started or failed.
std::optional<double> systemListing(const std::wstring& folder, HANDLE output) {
    const Stopwatch stopwatch;
    bench::LaunchedProcess command(systemCommandProcessor(), L"/c dir /b /o:gn \"" + folder + L"\"", output);
    if (!command.started()) return std::nullopt;
    const auto code = command.waitForExit(INFINITE);
    const double seconds = stopwatch.seconds();
    if (!code || *code != 0) return std::nullopt;
    return seconds;
}

// Once per folder, untimed: the command's output into a file, to show that it
// lists every entry and the figures time real work.
int systemListingLines(const std::wstring& folder) {
    const std::wstring outputPath = bench::temporaryFolder() + L"\\twinpath-bench-dir-output.txt";
    int lines = -1;
    {
        SECURITY_ATTRIBUTES inheritable{sizeof(inheritable), nullptr, TRUE};
        win32::UniqueHandle output(::CreateFileW(outputPath.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                                                 &inheritable, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY, nullptr));
        if (output.get() == INVALID_HANDLE_VALUE) {
            output.release();  // INVALID_HANDLE_VALUE is no handle to close
            return -1;
        }
        if (!systemListing(folder, output.get())) return -1;
        LARGE_INTEGER size{};
        ::GetFileSizeEx(output.get(), &size);
        std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
        ::SetFilePointer(output.get(), 0, nullptr, FILE_BEGIN);
        DWORD read = 0;
        if (::ReadFile(output.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
            lines = 0;
            for (std::size_t i = 0; i < read; ++i) lines += bytes[i] == '\n' ? 1 : 0;
        }
    }
    ::DeleteFileW(outputPath.c_str());
    return lines;
}

struct SizeResult {
    int count = 0;
    Best bare;
    Best command;
    CommandTimes best{1e30, 0, 0, 0, 0, 0, false};
    std::optional<bench::WindowListCopyFigures> window;  // the fastest round
    Best dir;
    // Each round's ratio to that round's bare loop: steadier than a ratio of
    // two best figures when the machine's speed drifts during the run.
    std::vector<double> commandRatios;
    std::vector<double> windowRatios;
};

double ms(double seconds) { return seconds * 1e3; }

std::string messageName(UINT message) {
    switch (message) {
        case BM_CLICK:
            return "the click";
        case WM_PAINT:
            return "WM_PAINT";
        case WM_TIMER:
            return "WM_TIMER";
        default:
            break;
    }
    char name[24];
    if (message >= WM_APP)
        std::snprintf(name, sizeof(name), "WM_APP+%u", message - WM_APP);
    else
        std::snprintf(name, sizeof(name), "0x%04x", message);
    return name;
}

void printWindowListCopy(const bench::WindowListCopyFigures& w, const SizeResult& result) {
    const CommandTimes& t = result.best;
    std::printf(
        "  window's list-copy, click to clipboard %7.4f s   %5.2fx the bare loop (aim 1.5x), %.2fx the command\n",
        w.seconds, w.seconds / result.bare.seconds(), w.seconds / t.total());
    std::printf("    the ended listing taken up after %.4f s (the command's list + sort + report: %.4f s)\n",
                w.untilResult, t.list + t.sort + t.report);
    std::printf("    window's thread busy %.1f ms in all; slowest messages %.1f ms (%s), %.1f ms (%s)\n",
                ms(w.busySeconds), ms(w.longestDispatch), messageName(w.slowestMessage).c_str(), ms(w.nextSlowest),
                messageName(w.nextSlowestMessage).c_str());
    std::printf("    %zu characters on the clipboard%s\n", w.characters,
                w.characters == t.reportLength ? ", as the command's report" : ", NOT the command's report");
    std::printf("  median of the rounds' ratios to the bare loop: command %.2fx, window %.2fx\n",
                bench::median(result.commandRatios), bench::median(result.windowRatios));
}

// The probed rounds: the longest gap between two answered messages in each,
// and the list-copy's time meanwhile.
void measureAnswers(const Plan& plan, bench::WindowListCopy& window) {
    std::vector<bench::WindowListCopyFigures> rounds;
    for (int round = 0; round < plan.probedRounds; ++round)
        if (const auto figures = window.listCopy(true)) rounds.push_back(*figures);
    if (rounds.empty()) {
        std::printf("  window answering while it lists: no probed round reached the clipboard\n");
        return;
    }
    bench::WindowListCopyFigures worst;
    Best seconds;
    std::size_t fewest = rounds.front().answers;
    std::printf("  window answering while it lists (WM_NULL sent from another thread, %lu ms apart), %zu rounds\n",
                static_cast<unsigned long>(bench::kProbePauseMs), rounds.size());
    std::printf(
        "    each round: longest gap between two answers / longest wait for one / slowest message (which)\n     ");
    for (const auto& r : rounds) {
        std::printf(" %.1f/%.1f/%.1f (%s)", ms(r.longestGap), ms(r.longestWait), ms(r.longestDispatch),
                    messageName(r.slowestMessage).c_str());
        worst.longestGap = std::max(worst.longestGap, r.longestGap);
        worst.longestGapElsewhere = std::max(worst.longestGapElsewhere, r.longestGapElsewhere);
        worst.longestWait = std::max(worst.longestWait, r.longestWait);
        worst.longestWaitElsewhere = std::max(worst.longestWaitElsewhere, r.longestWaitElsewhere);
        worst.longestDispatch = std::max(worst.longestDispatch, r.longestDispatch);
        worst.nextSlowest = std::max(worst.nextSlowest, r.nextSlowest);
        worst.answers = std::max(worst.answers, r.answers);
        fewest = std::min(fewest, r.answers);
        seconds.take(r.seconds);
    }
    std::printf(
        " ms\n    longest gap %.1f ms (aim %.0f ms: %s), longest wait %.1f ms; away from each round's slowest "
        "message: %.1f ms and %.1f ms, no other message over %.1f ms\n",
        ms(worst.longestGap), kAnswerAimMs, ms(worst.longestGap) <= kAnswerAimMs ? "met" : "MISSED",
        ms(worst.longestWait), ms(worst.longestGapElsewhere), ms(worst.longestWaitElsewhere), ms(worst.nextSlowest));
    std::printf("    %zu to %zu answers a round; list-copy meanwhile, best %.4f s\n", fewest, worst.answers,
                seconds.seconds());
}

SizeResult measure(const Plan& plan, HWND owner, HANDLE nul, bench::WindowListCopy& window) {
    SizeResult result;
    result.count = plan.count;
    const std::wstring folder = prepareFolder(plan.count);
    if (bareEnumeration(folder) != plan.count + 2) {
        std::printf("folder %ls does not hold %d files\n", folder.c_str(), plan.count);
        return result;
    }
    const int listed = systemListingLines(folder);
    if (listed != plan.count) std::printf("  dir listed %d lines, not %d\n", listed, plan.count);

    const bool windowReady = window.open(folder);
    if (!windowReady) std::printf("  the window did not show the folder\n");
    FolderListing listing;
    // Alternating rounds, so every side sees the same state of the machine.
    for (int round = 0; round < plan.rounds; ++round) {
        const Stopwatch stopwatch;
        bareEnumeration(folder);
        const double bare = stopwatch.seconds();
        result.bare.take(bare);
        const CommandTimes times = listCopyCommand(owner, folder, listing);
        result.command.take(times.total());
        result.commandRatios.push_back(times.total() / bare);
        if (times.total() < result.best.total()) result.best = times;
        const auto figures = windowReady ? window.listCopy(false) : std::nullopt;
        if (figures) result.windowRatios.push_back(figures->seconds / bare);
        if (figures && (!result.window || figures->seconds < result.window->seconds)) result.window = figures;
        if (round < plan.dirRounds) {
            if (const auto seconds = systemListing(folder, nul)) result.dir.take(*seconds);
        }
    }

    const CommandTimes& t = result.best;
    std::printf("folder of %d entries: best of %d rounds (dir: %d)\n", plan.count, plan.rounds, plan.dirRounds);
    std::printf("  bare FindFirstFileExW loop   %9.4f s\n", result.bare.seconds());
    std::printf("  list-copy command            %9.4f s   %5.2fx the bare loop (aim 1.5x)\n", t.total(),
                t.total() / result.bare.seconds());
    std::printf("    list %.4f + sort %.4f + report %.4f + clipboard %.4f s (%zu characters%s)\n", t.list, t.sort,
                t.report, t.clipboard, t.reportLength, t.copied ? "" : ", NOT on the clipboard");
    std::printf("    list alone                 %5.2fx the bare loop\n", t.list / result.bare.seconds());
    std::printf("    sort: %ld sort keys made, %ld comparisons through the platform\n", t.keys, t.comparisons);
    if (result.window) {
        printWindowListCopy(*result.window, result);
        measureAnswers(plan, window);
    } else {
        std::printf("  window's list-copy           failed\n");
    }
    if (result.dir.empty()) {
        std::printf("  cmd /c dir /b /o:gn          failed\n");
    } else {
        std::printf("  cmd /c dir /b /o:gn          %9.4f s   list-copy is %.3fx of it (aim below 1)\n",
                    result.dir.seconds(), t.total() / result.dir.seconds());
    }
    std::fflush(stdout);
    return result;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    bench::installCrashHandling();
    std::vector<Plan> plans;
    for (int i = 1; i < argc; ++i) {
        const int count = std::wcstol(argv[i], nullptr, 10);
        for (const Plan& plan : kPlans)
            if (plan.count == count) plans.push_back(plan);
    }
    if (plans.empty()) plans.assign(std::begin(kPlans), std::end(kPlans));

    // The clipboard takes data only from a window's thread; a message-only
    // window is one that no broadcast reaches.
    const win32::UniqueWindow owner(
        ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
    SECURITY_ATTRIBUTES inheritable{sizeof(inheritable), nullptr, TRUE};
    win32::UniqueHandle nul(::CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                          &inheritable, OPEN_EXISTING, 0, nullptr));
    if (!owner || nul.get() == INVALID_HANDLE_VALUE) {
        if (nul.get() == INVALID_HANDLE_VALUE) nul.release();
        std::printf("no clipboard window or no NUL device\n");
        return 1;
    }

    bench::WindowListCopy window;
    std::vector<SizeResult> results;
    for (const Plan& plan : plans) results.push_back(measure(plan, owner.get(), nul.get(), window));

    std::printf("growth (time per entry, microseconds)\n");
    std::printf("  %9s  %10s  %10s  %10s\n", "entries", "bare loop", "list-copy", "dir");
    for (const SizeResult& r : results) {
        const double n = r.count;
        std::printf("  %9d  %10.3f  %10.3f  %10.3f\n", r.count, r.bare.seconds() * 1e6 / n, r.best.total() * 1e6 / n,
                    r.dir.empty() ? 0.0 : r.dir.seconds() * 1e6 / n);
    }
    return 0;
}
