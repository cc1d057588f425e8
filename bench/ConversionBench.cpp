// The converter on real folders, paths of 1, 5 and 20 levels below the drive
// root: PathConverter's longForm and shortForm through Win32FileSystem,
// next to GetLongPathNameW and GetShortPathNameW called alone on the same path,
// many calls each, in alternating rounds of the same run.
#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "paths/PathConverter.h"
#include "win32/Win32FileSystem.h"

namespace {

using namespace twinpath;
using bench::Best;
using bench::Stopwatch;

constexpr int kLevels[] = {1, 5, 20};
constexpr int kRounds = 7;
// Each timed batch runs about this long, so the clock's resolution and a
// single scheduling hiccup weigh little.
constexpr double kBatchSeconds = 0.08;

// A chain of folders with long names (blanks make them invalid 8.3 names, so
// each has an alias of its own) from the drive root down, removed again at the
// end. The deepest path stays below the length where the program switches to
// the "\\?\" form, so both sides get the same plain path.
class LevelTree {
public:
    LevelTree() {
        const std::wstring temp = bench::temporaryFolder();
        std::wstring path = temp.substr(0, 3) + L"Twinpath Bench 01";
        for (int level = 1; level <= 20; ++level) {
            if (level > 1) {
                wchar_t name[16];
                std::swprintf(name, 16, L"\\Folder %02d", level);
                path += name;
            }
            if (!::CreateDirectoryW(path.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS) break;
            created_.push_back(path);
        }
    }
    ~LevelTree() {
        for (auto it = created_.rbegin(); it != created_.rend(); ++it) ::RemoveDirectoryW(it->c_str());
    }
    LevelTree(const LevelTree&) = delete;
    LevelTree& operator=(const LevelTree&) = delete;

    // The path of `levels` folders, empty when it could not be made.
    std::wstring path(int levels) const {
        return levels <= static_cast<int>(created_.size()) ? created_[static_cast<std::size_t>(levels - 1)]
                                                           : std::wstring();
    }

private:
    std::vector<std::wstring> created_;
};

std::wstring longPathAlone(const std::wstring& path) {
    wchar_t buffer[1024];
    const DWORD length = ::GetLongPathNameW(path.c_str(), buffer, 1024);
    return length > 0 && length < 1024 ? std::wstring(buffer, length) : std::wstring();
}

std::wstring shortPathAlone(const std::wstring& path) {
    wchar_t buffer[1024];
    const DWORD length = ::GetShortPathNameW(path.c_str(), buffer, 1024);
    return length > 0 && length < 1024 ? std::wstring(buffer, length) : std::wstring();
}

// The results' lengths go here, where the compiler cannot see them unused and
// leave a call out.
volatile std::size_t resultSink;

// Seconds per call of `call`, repeated `count` times.
double perCall(const std::function<std::wstring()>& call, int count) {
    std::size_t sink = 0;
    const Stopwatch clock;
    for (int i = 0; i < count; ++i) sink += call().size();
    const double seconds = clock.seconds();
    resultSink = sink;
    return seconds / count;
}

struct Figures {
    Best longForm;
    Best longAlone;
    Best shortForm;
    Best shortAlone;
};

void measure(int levels, const std::wstring& path) {
    win32::Win32FileSystem fs;
    PathConverter converter(fs);
    converter.setInput(path);

    const std::wstring longForm = converter.longForm();
    const std::wstring shortForm = converter.shortForm();
    const bool same = longForm == longPathAlone(path) && shortForm == shortPathAlone(path) && !shortForm.empty();

    // As many calls as make a batch of the slowest of the four.
    const double estimate = perCall([&] { return converter.longForm(); }, 20);
    const int count = std::max(20, static_cast<int>(kBatchSeconds / estimate));

    Figures figures;
    for (int round = 0; round < kRounds; ++round) {
        figures.longForm.take(perCall([&] { return converter.longForm(); }, count));
        figures.longAlone.take(perCall([&] { return longPathAlone(path); }, count));
        figures.shortForm.take(perCall([&] { return converter.shortForm(); }, count));
        figures.shortAlone.take(perCall([&] { return shortPathAlone(path); }, count));
    }
    std::printf("%2d levels, %zu characters, %d calls per batch, best of %d rounds%s\n", levels, path.size(), count,
                kRounds, same ? "" : "  (RESULTS DIFFER from the system calls)");
    std::printf("  longForm          %8.2f us   GetLongPathNameW alone   %8.2f us   ratio %.2f (aim 1.5)\n",
                figures.longForm.seconds() * 1e6, figures.longAlone.seconds() * 1e6,
                figures.longForm.seconds() / figures.longAlone.seconds());
    std::printf("  shortForm         %8.2f us   GetShortPathNameW alone  %8.2f us   ratio %.2f (aim 1.5)\n",
                figures.shortForm.seconds() * 1e6, figures.shortAlone.seconds() * 1e6,
                figures.shortForm.seconds() / figures.shortAlone.seconds());
    std::fflush(stdout);
}

}  // namespace

int wmain() {
    bench::installCrashHandling();
    const LevelTree tree;
    for (const int levels : kLevels) {
        const std::wstring path = tree.path(levels);
        if (path.empty()) {
            std::printf("%d levels: the folders could not be made\n", levels);
            return 1;
        }
        measure(levels, path);
    }
    return 0;
}
