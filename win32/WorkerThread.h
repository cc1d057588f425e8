#pragma once

#include <windows.h>

#include <memory>
#include <thread>

#include "ports/BackgroundWork.h"

namespace twinpath::win32 {

// The one thread that does the window's file-system work, made when the first
// job starts. Ended jobs come back to the window's thread through a posted
// message, on which the window calls finishEnded().
class WorkerThread final : public BackgroundWork {
public:
    WorkerThread();
    ~WorkerThread() override;
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    void start(std::shared_ptr<Job> job) override;
    std::uint64_t now() override { return ::GetTickCount64(); }

    // From now on each job that ends posts `message` to `window`; jobs that
    // ended before are told at once.
    void reportTo(HWND window, UINT message);
    // Finishes, on the calling thread, every job that has ended.
    void finishEnded();
    // Waits up to `limitMs` for the jobs started so far to end, then finishes
    // those that did.
    void awaitIdle(DWORD limitMs);
    // Drops the jobs not yet begun and waits up to `limitMs` for the one that
    // runs; false when it is still stuck in a call (a dead share) and the
    // thread was left to the end of the process.
    bool stop(DWORD limitMs);

private:
    struct Shared;
    std::shared_ptr<Shared> shared_;
    std::thread thread_;
};

}  // namespace twinpath::win32
