// tpath.exe in processes of its own, its output going to NUL, next to floors
// measured in the same run: the short forms of 10,000 paths read from a file
// against the bare system calls over the same paths, and the listing of a
// folder of 100,000 entries against a bare FindFirstFileExW loop. Both floors
// run in this process, so tpath's own start is in its figures (given apart).
//
// Uses the folders %TEMP%\twinpath-bench-<count> that bench/run.sh makes.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"

namespace {

using namespace twinpath;
using bench::Best;
using bench::LaunchedProcess;
using bench::Stopwatch;

constexpr int kPathCount = 10'000;
constexpr int kListCount = 100'000;
constexpr int kRounds = 5;

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

// The floors of a short-form record: the short form alone, and with the
// existence check that tells an empty record from a missing path.
int bareShortForms(const std::vector<std::wstring>& paths, bool checkExistence) {
    int found = 0;
    wchar_t buffer[MAX_PATH];
    for (const auto& path : paths) {
        if (checkExistence && ::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) continue;
        found += ::GetShortPathNameW(path.c_str(), buffer, MAX_PATH) != 0;
    }
    return found;
}

struct TpathRun {
    double seconds = 0;
    DWORD status = 1;
};

// One run of tpath with `arguments`, its standard handles all `output`.
TpathRun runTpath(const std::wstring& arguments, HANDLE output) {
    TpathRun run;
    const Stopwatch stopwatch;
    LaunchedProcess tpath(TPATH_EXE, arguments, output, LaunchedProcess::Show::Hidden);
    const auto status = tpath.waitForExit(600'000);
    run.seconds = stopwatch.seconds();
    run.status = status.value_or(STILL_ACTIVE);
    return run;
}

win32::UniqueHandle openForTpath(const std::wstring& path, DWORD creation) {
    SECURITY_ATTRIBUTES inheritable{sizeof(inheritable), nullptr, TRUE};
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      &inheritable, creation, 0, nullptr);
    return win32::UniqueHandle(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

// The paths as tpath reads them: UTF-8, a line each.
bool writePathsFile(const std::wstring& file, const std::vector<std::wstring>& paths) {
    std::string text;
    for (const auto& path : paths) {
        for (const wchar_t c : path) text += static_cast<char>(c);  // the bench paths are ASCII
        text += "\r\n";
    }
    const win32::UniqueHandle out = openForTpath(file, CREATE_ALWAYS);
    DWORD written = 0;
    return out && ::WriteFile(out.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size();
}

// Lines of a file tpath wrote, and whether its first equals `first`.
std::pair<int, bool> recordsIn(const std::wstring& file, const std::wstring& first) {
    const win32::UniqueHandle in = openForTpath(file, OPEN_EXISTING);
    std::string text(64 << 20, '\0');
    DWORD read = 0;
    if (!in || !::ReadFile(in.get(), text.data(), static_cast<DWORD>(text.size()), &read, nullptr)) return {0, false};
    text.resize(read);
    int lines = 0;
    for (std::size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos; at += 2) ++lines;
    return {lines, text.starts_with(std::string(first.begin(), first.end()) + "\r\n")};
}

void shortForms(const std::wstring& temp, HANDLE nul) {
    const std::wstring folder = temp + L"\\twinpath-bench-" + std::to_wstring(kPathCount);
    std::vector<std::wstring> paths;
    for (int i = 0; i < kPathCount; ++i) {
        wchar_t name[40];
        std::swprintf(name, 40, L"\\Document %06d.txt", i);
        paths.push_back(folder + name);
    }
    const std::wstring list = temp + L"\\twinpath-bench-paths.txt", records = temp + L"\\twinpath-bench-records.txt";
    if (bareShortForms(paths, true) != kPathCount || !writePathsFile(list, paths)) {
        std::printf("the %d files of %ls are not all there\n", kPathCount, folder.c_str());
        return;
    }
    wchar_t firstShort[MAX_PATH] = L"";
    ::GetShortPathNameW(paths[0].c_str(), firstShort, MAX_PATH);
    const std::wstring arguments = L"-s -f \"" + list + L"\"";
    {
        const win32::UniqueHandle out = openForTpath(records, CREATE_ALWAYS);
        const TpathRun run = runTpath(arguments, out.get());
        const auto [lines, firstAgrees] = recordsIn(records, firstShort);
        std::printf("  check: exit %lu, %d records, the first %s the system's short form\n", run.status, lines,
                    firstAgrees ? "equal to" : "NOT equal to");
    }
    Best tpath, bare, bareChecked, start;
    for (int round = 0; round < kRounds; ++round) {
        tpath.take(runTpath(arguments, nul).seconds);
        start.take(runTpath(L"--version", nul).seconds);
        Stopwatch stopwatch;
        bareShortForms(paths, false);
        bare.take(stopwatch.seconds());
        stopwatch = Stopwatch();
        bareShortForms(paths, true);
        bareChecked.take(stopwatch.seconds());
    }
    std::printf("short forms of %d paths from a file: best of %d rounds\n", kPathCount, kRounds);
    std::printf("  GetShortPathNameW alone            %8.3f s\n", bare.seconds());
    std::printf("  GetFileAttributesW + the same      %8.3f s\n", bareChecked.seconds());
    std::printf(
        "  tpath -s -f FILE                   %8.3f s   %5.2fx the bare calls, %5.2fx with the check (aim 1.5x)\n",
        tpath.seconds(), tpath.seconds() / bare.seconds(), tpath.seconds() / bareChecked.seconds());
    std::printf("  of which starting and ending tpath %8.3f s (tpath --version)\n", start.seconds());
}

void listing(const std::wstring& temp, HANDLE nul) {
    const std::wstring folder = temp + L"\\twinpath-bench-" + std::to_wstring(kListCount);
    if (bareEnumeration(folder) != kListCount + 2) {
        std::printf("folder %ls does not hold %d files\n", folder.c_str(), kListCount);
        return;
    }
    Best tpath, bare;
    DWORD status = 0;
    for (int round = 0; round < kRounds; ++round) {
        const TpathRun run = runTpath(L"--list \"" + folder + L"\"", nul);
        tpath.take(run.seconds);
        status |= run.status;
        const Stopwatch stopwatch;
        bareEnumeration(folder);
        bare.take(stopwatch.seconds());
    }
    std::printf("listing of %d entries: best of %d rounds\n", kListCount, kRounds);
    std::printf("  bare FindFirstFileExW loop         %8.3f s\n", bare.seconds());
    std::printf("  tpath --list                       %8.3f s   %5.2fx the bare loop (aim 1.5x)%s\n", tpath.seconds(),
                tpath.seconds() / bare.seconds(), status ? ", SOME RUN FAILED" : "");
}

}  // namespace

int wmain() {
    bench::installCrashHandling();
    SECURITY_ATTRIBUTES inheritable{sizeof(inheritable), nullptr, TRUE};
    const HANDLE opened = ::CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                        &inheritable, OPEN_EXISTING, 0, nullptr);
    const win32::UniqueHandle nul(opened == INVALID_HANDLE_VALUE ? nullptr : opened);
    if (!nul) {
        std::printf("no NUL device\n");
        return 1;
    }
    const std::wstring temp = bench::temporaryFolder();
    shortForms(temp, nul.get());
    listing(temp, nul.get());
    return 0;
}
