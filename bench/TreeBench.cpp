// Whole-tree listings, next to floors measured in the same run over the same
// tree: a bare recursive FindFirstFileExW loop (the lister's call and flags,
// every folder entered but links), and `cmd /c dir /s /b`, started with
// CreateProcess, its output going to NUL. Then the window's list-copy of one
// folder of 100,000 entries against the bare loop over it.
//
// The trees are %TEMP%\twinpath-tree-<files>: 100 empty files in each folder
// of the deepest level and 10 folders in every folder above it, so 10,000
// files lie in 111 folders (the listed one counted), 100,000 in 1,111 and
// 1,000,000 in 11,111. bench/run.sh makes them from the Linux side, as it
// makes the listing benchmark's folder %TEMP%\twinpath-bench-100000 used
// here; this program makes a missing tree itself, as it would on Windows.
//
// Usage: tree_bench [files...]   (default: 10000 100000 1000000)
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "bench/BenchSupport.h"
#include "listing/FolderLister.h"
#include "listing/ListingBuilder.h"
#include "listing/ListingOrder.h"
#include "listing/ListingReport.h"
#include "win32/Clipboard.h"
#include "win32/UiHandles.h"
#include "win32/Win32FileSystem.h"
#include "win32/Win32TextServices.h"

namespace {

using namespace twinpath;
using bench::Best;
using bench::LaunchedProcess;
using bench::Stopwatch;

// Rounds per tree: fewer where one round is long.
struct Plan {
    int files;
    int depth;
    int rounds;
    int dirRounds;
};
// `dir` over a million entries would take minutes for each round: it is left out there.
constexpr Plan kPlans[] = {{10'000, 2, 7, 3}, {100'000, 3, 5, 2}, {1'000'000, 4, 2, 0}};
constexpr int kFilesPerFolder = 100;
constexpr int kFolderRounds = 5;

bool isDotEntry(const wchar_t* name) { return std::wcscmp(name, L".") == 0 || std::wcscmp(name, L"..") == 0; }

// The floor: every entry below `folder`, "." and ".." left out, read with the
// lister's call and flags.
long bareTree(const std::wstring& folder) {
    WIN32_FIND_DATAW data{};
    const win32::UniqueFindHandle search(::FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &data,
                                                            FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (search.get() == INVALID_HANDLE_VALUE) return 0;
    long count = 0;
    do {
        if (isDotEntry(data.cFileName)) continue;
        ++count;
        const DWORD bits = data.dwFileAttributes;
        if ((bits & FILE_ATTRIBUTE_DIRECTORY) && !(bits & FILE_ATTRIBUTE_REPARSE_POINT))
            count += bareTree(folder + L"\\" + data.cFileName);
    } while (::FindNextFileW(search.get(), &data));
    return count;
}

// Folders and files of a tree of `depth` levels below its top.
long treeEntries(const Plan& plan) {
    long folders = 0;
    for (long level = 1, width = 10; level <= plan.depth; ++level, width *= 10) folders += width;
    return folders + plan.files;
}

void makeTree(const std::wstring& folder, int depth) {
    ::CreateDirectoryW(folder.c_str(), nullptr);
    for (int i = 0; depth > 0 && i < 10; ++i) makeTree(folder + L"\\Folder " + std::to_wstring(i), depth - 1);
    for (int i = 0; depth == 0 && i < kFilesPerFolder; ++i) {
        wchar_t name[24];
        std::swprintf(name, 24, L"\\Document %03d.txt", i);
        bench::ensureFile(folder + name);
    }
}

std::wstring systemFolderFile(const wchar_t* name) {
    wchar_t system[MAX_PATH];
    const UINT length = ::GetSystemDirectoryW(system, MAX_PATH);
    return std::wstring(system, length) + L"\\" + name;
}

SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};

// A process from start to end, its standard handles all `output`; nothing when
// it could not be started or failed. Its peak memory goes to `peak` when it
// can be read.
std::optional<double> timedRun(const std::wstring& program, const std::wstring& arguments, HANDLE output,
                               SIZE_T* peak = nullptr) {
    const Stopwatch stopwatch;
    LaunchedProcess process(program, arguments, output, LaunchedProcess::Show::Hidden);
    const auto code = process.waitForExit(INFINITE);
    const double seconds = stopwatch.seconds();
    PROCESS_MEMORY_COUNTERS counters{};
    if (peak && process.started() && ::GetProcessMemoryInfo(process.handle(), &counters, sizeof(counters)))
        *peak = counters.PeakWorkingSetSize;
    if (!code || *code != 0) return std::nullopt;
    return seconds;
}

// Once per tree, untimed: the lines a process writes, to show that it lists
// every entry and that its figures time real work; -1 when it failed.
long linesWritten(const std::wstring& program, const std::wstring& arguments) {
    const std::wstring path = bench::temporaryFolder() + L"\\twinpath-tree-bench-output.txt";
    long lines = -1;
    {
        win32::UniqueHandle output(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                                                 &inheritable, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY, nullptr));
        if (output.get() == INVALID_HANDLE_VALUE) {
            output.release();  // INVALID_HANDLE_VALUE is no handle to close
            return -1;
        }
        if (!timedRun(program, arguments, output.get())) return -1;
        ::SetFilePointer(output.get(), 0, nullptr, FILE_BEGIN);
        std::string bytes(1 << 20, '\0');
        DWORD read = 0;
        lines = 0;
        while (::ReadFile(output.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) && read > 0)
            for (DWORD i = 0; i < read; ++i) lines += bytes[i] == '\n' ? 1 : 0;
    }
    ::DeleteFileW(path.c_str());
    return lines;
}

// Processor time of the calling thread: what the list-copy costs on its own
// thread, where the sort keys made on another no longer count.
double threadSeconds() {
    FILETIME created, ended, kernel, user;
    ::GetThreadTimes(::GetCurrentThread(), &created, &ended, &kernel, &user);
    const auto seconds = [](FILETIME time) {
        return static_cast<double>((static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

// How much of a second core this process gets: 1 when two threads spinning
// together take as long as one alone, 0 when they take twice as long. The
// machine is shared; a key thread can only gain what is free.
double secondCoreShare() {
    const auto spin = [] {
        volatile unsigned long long mixed = 1;
        for (int i = 0; i < 50'000'000; ++i) mixed = mixed * 6364136223846793005ULL + 1;
    };
    Best alone, together;
    for (int round = 0; round < 3; ++round) {
        Stopwatch one;
        spin();
        alone.take(one.seconds());
        Stopwatch two;
        std::thread other(spin);
        spin();
        other.join();
        together.take(two.seconds());
    }
    return std::clamp(2.0 - together.seconds() / alone.seconds(), 0.0, 1.0);
}

struct CopyTimes {
    double list = 0;  // read, sorted and reported
    double clipboard = 0;
    double sort = 0;    // of one folder: the sort alone
    double report = 0;  // of one folder: the report alone
    double ownThread = 0;
    std::size_t entries = 0;
    std::size_t characters = 0;
    bool copied = false;
    double total() const { return list + clipboard; }
};

// What the window's list-copy does with the switch for subfolders on, in the
// default mode (names only): the tree listed and reported as the window's
// job does it, the report put on the clipboard.
CopyTimes treeListCopy(HWND owner, FileSystem& fs, TextServices& text, const std::wstring& folder) {
    CopyTimes times;
    const double processor = threadSeconds();
    const Stopwatch listing;
    ListingProgress progress;
    ListingReport report(ListMode::NamesOnly);
    const TreeListing tree = buildListing(fs, text, folder, true, report, &progress);
    times.list = listing.seconds();
    times.entries = tree.entries;
    for (const std::wstring& piece : report.pieces) times.characters += piece.size();
    const Stopwatch copying;
    times.copied = win32::setClipboardText(owner, report.pieces);
    times.clipboard = copying.seconds();
    times.ownThread = threadSeconds() - processor;
    return times;
}

void takeBest(CopyTimes& best, const CopyTimes& times) {
    if (best.entries == 0 || times.total() < best.total()) best = times;
}

std::wstring quoted(const std::wstring& path) { return L"\"" + path + L"\""; }

double megabytes(SIZE_T bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

struct TreeResult {
    long entries = 0;
    Best bare, tpath, dir;
    CopyTimes copy;
};

TreeResult measureTree(const Plan& plan, HWND owner, HANDLE nul) {
    TreeResult result;
    const std::wstring folder = bench::temporaryFolder() + L"\\twinpath-tree-" + std::to_wstring(plan.files);
    const long entries = treeEntries(plan);
    if (bareTree(folder) != entries) {
        std::printf("making the tree %ls\n", folder.c_str());
        std::fflush(stdout);
        makeTree(folder, plan.depth);
    }
    if (bareTree(folder) != entries) {
        std::printf("tree %ls does not hold %ld entries\n", folder.c_str(), entries);
        return result;
    }
    result.entries = entries;
    const std::wstring tpathArguments = L"--list --recurse " + quoted(folder);
    const std::wstring cmd = systemFolderFile(L"cmd.exe"), dirArguments = L"/c dir /s /b " + quoted(folder);
    const long tpathLines = linesWritten(TPATH_EXE, tpathArguments);
    if (tpathLines != entries + 2) std::printf("  tpath wrote %ld lines, not %ld\n", tpathLines, entries + 2);
    const long dirLines = plan.dirRounds > 0 ? linesWritten(cmd, dirArguments) : entries;
    if (dirLines != entries) std::printf("  dir wrote %ld lines, not %ld\n", dirLines, entries);

    win32::Win32FileSystem fs;
    win32::Win32TextServices text;
    SIZE_T tpathPeak = 0;
    // Alternating rounds, so every side sees the same state of the machine.
    for (int round = 0; round < plan.rounds; ++round) {
        const Stopwatch stopwatch;
        bareTree(folder);
        result.bare.take(stopwatch.seconds());
        takeBest(result.copy, treeListCopy(owner, fs, text, folder));
        if (const auto seconds = timedRun(TPATH_EXE, tpathArguments, nul, &tpathPeak)) result.tpath.take(*seconds);
        if (round < plan.dirRounds) {
            if (const auto seconds = timedRun(cmd, dirArguments, nul)) result.dir.take(*seconds);
        }
    }

    const double bare = result.bare.seconds();
    const CopyTimes& c = result.copy;
    std::printf("tree of %d files in %ld folders, %ld entries: best of %d rounds (dir: %d)\n", plan.files,
                entries - plan.files + 1, entries, plan.rounds, plan.dirRounds);
    std::printf("  bare recursive FindFirstFileExW loop   %9.4f s\n", bare);
    std::printf("  list-copy, whole tree                  %9.4f s   %5.2fx the bare loop (aim 1.3x)\n", c.total(),
                c.total() / bare);
    std::printf("    listed, sorted, reported %.4f s (%.2fx) + clipboard %.4f s; %zu entries, %zu characters%s\n",
                c.list, c.list / bare, c.clipboard, c.entries, c.characters, c.copied ? "" : ", NOT on the clipboard");
    std::printf("    on its own thread %.2f s of processor time\n", c.ownThread);
    std::printf("  tpath --list --recurse                 %9.4f s   %5.2fx the bare loop (aim 1.3x)\n",
                result.tpath.seconds(), result.tpath.seconds() / bare);
    if (plan.dirRounds == 0)
        std::printf("  cmd /c dir /s /b                       not timed\n");
    else if (result.dir.empty())
        std::printf("  cmd /c dir /s /b                       failed\n");
    else
        std::printf("  cmd /c dir /s /b                       %9.4f s   list-copy is %.3fx of it\n",
                    result.dir.seconds(), c.total() / result.dir.seconds());
    PROCESS_MEMORY_COUNTERS counters{};
    if (::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof(counters)))
        std::printf("  this process: peak working set %.1f MB, peak committed %.1f MB; now %.1f MB\n",
                    megabytes(counters.PeakWorkingSetSize), megabytes(counters.PeakPagefileUsage),
                    megabytes(counters.WorkingSetSize));
    if (tpathPeak)
        std::printf("  tpath: peak working set %.1f MB\n", megabytes(tpathPeak));
    else
        std::printf("  tpath: peak working set not readable\n");
    std::fflush(stdout);
    return result;
}

// The window's list-copy of one folder, step by step: listed, sorted,
// reported, put on the clipboard.
CopyTimes folderListCopy(HWND owner, FileSystem& fs, TextServices& text, const std::wstring& folder) {
    CopyTimes times;
    const double processor = threadSeconds();
    Stopwatch step;
    FolderListing listing = FolderLister(fs).list(folder);
    times.list = step.seconds();
    step = Stopwatch();
    sortListing(listing, text);
    times.sort = step.seconds();
    step = Stopwatch();
    ListingReport report(ListMode::NamesOnly);
    reportListing(listing, report);
    times.report = step.seconds();
    times.list += times.sort + times.report;
    times.entries = listing.entries.size();
    for (const std::wstring& piece : report.pieces) times.characters += piece.size();
    step = Stopwatch();
    times.copied = win32::setClipboardText(owner, report.pieces);
    times.clipboard = step.seconds();
    times.ownThread = threadSeconds() - processor;
    return times;
}

void measureFolder(HWND owner) {
    const std::wstring folder = bench::temporaryFolder() + L"\\twinpath-bench-100000";
    win32::Win32FileSystem fs;
    win32::Win32TextServices text;
    if (bareTree(folder) != 100'000) {
        std::printf("folder %ls does not hold 100000 files: run bench/run.sh\n", folder.c_str());
        return;
    }
    Best bare;
    CopyTimes copy;
    for (int round = 0; round < kFolderRounds; ++round) {
        const Stopwatch stopwatch;
        bareTree(folder);
        bare.take(stopwatch.seconds());
        takeBest(copy, folderListCopy(owner, fs, text, folder));
    }
    std::printf("folder of 100000 entries: best of %d rounds\n", kFolderRounds);
    std::printf("  bare FindFirstFileExW loop             %9.4f s\n", bare.seconds());
    const CopyTimes& t = copy;
    std::printf("  %-38s %9.4f s   %5.2fx the bare loop (aim 1.3x)%s\n", "list-copy", t.total(),
                t.total() / bare.seconds(), t.copied ? "" : ", NOT on the clipboard");
    const double listed = t.list - t.sort - t.report;
    std::printf("    list %.4f (%.2fx) + sort %.4f + report %.4f + clipboard %.4f s; on its own thread %.2f s\n",
                listed, listed / bare.seconds(), t.sort, t.report, t.clipboard, t.ownThread);
    std::fflush(stdout);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    bench::installCrashHandling();
    std::vector<Plan> plans;
    for (int i = 1; i < argc; ++i)
        for (const Plan& plan : kPlans)
            if (plan.files == std::wcstol(argv[i], nullptr, 10)) plans.push_back(plan);
    if (plans.empty()) plans.assign(std::begin(kPlans), std::end(kPlans));

    // The clipboard takes data only from a window's thread; a message-only
    // window is one that no broadcast reaches.
    const win32::UniqueWindow owner(
        ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
    const HANDLE opened = ::CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                        &inheritable, OPEN_EXISTING, 0, nullptr);
    const win32::UniqueHandle nul(opened == INVALID_HANDLE_VALUE ? nullptr : opened);
    if (!owner || !nul) {
        std::printf("no clipboard window or no NUL device\n");
        return 1;
    }

    std::printf("share of a second core free for this process: %.2f\n", secondCoreShare());
    measureFolder(owner.get());
    std::vector<TreeResult> results;
    for (const Plan& plan : plans) results.push_back(measureTree(plan, owner.get(), nul.get()));

    std::printf("share of a second core free for this process: %.2f\n", secondCoreShare());
    std::printf("growth of whole-tree listings (time per entry, microseconds)\n");
    std::printf("  %9s  %10s  %10s  %10s  %10s\n", "entries", "bare loop", "list-copy", "tpath", "dir /s /b");
    for (const TreeResult& r : results) {
        if (r.entries == 0) continue;
        const double perEntry = 1e6 / static_cast<double>(r.entries);
        std::printf("  %9ld  %10.3f  %10.3f  %10.3f  %10.3f\n", r.entries, r.bare.seconds() * perEntry,
                    r.copy.total() * perEntry, r.tpath.seconds() * perEntry,
                    r.dir.empty() ? 0.0 : r.dir.seconds() * perEntry);
    }
    return 0;
}
