#include "win32/WorkerThread.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>

namespace twinpath::win32 {

// What the thread and the window share. The thread holds its own reference:
// a thread stuck in a call outlives the WorkerThread without touching freed
// memory.
struct WorkerThread::Shared {
    std::mutex lock;
    std::condition_variable changed;
    std::deque<std::shared_ptr<Job>> waiting;
    std::deque<std::shared_ptr<Job>> ended;
    bool running = false;
    bool quitting = false;
    HWND window = nullptr;
    UINT message = 0;

    void work() {
        std::unique_lock held(lock);
        for (;;) {
            changed.wait(held, [this] { return quitting || !waiting.empty(); });
            if (quitting) return;
            std::shared_ptr<Job> job = std::move(waiting.front());
            waiting.pop_front();
            running = true;
            held.unlock();
            try {
                job->run();
            } catch (...) {
                // A job keeps what it has; its finish tells what is missing.
            }
            held.lock();
            running = false;
            // After a stop nothing is finished: what the finish would tell is going away.
            if (!quitting) ended.push_back(std::move(job));
            if (window) ::PostMessageW(window, message, 0, 0);
            changed.notify_all();
        }
    }
};

WorkerThread::WorkerThread() : shared_(std::make_shared<Shared>()) {}

WorkerThread::~WorkerThread() { stop(1000); }

void WorkerThread::start(std::shared_ptr<Job> job) {
    {
        const std::lock_guard held(shared_->lock);
        if (shared_->quitting) return;
        shared_->waiting.push_back(std::move(job));
    }
    shared_->changed.notify_all();
    if (!thread_.joinable()) thread_ = std::thread([shared = shared_] { shared->work(); });
}

void WorkerThread::reportTo(HWND window, UINT message) {
    const std::lock_guard held(shared_->lock);
    shared_->window = window;
    shared_->message = message;
    if (window && !shared_->ended.empty()) ::PostMessageW(window, message, 0, 0);
}

void WorkerThread::finishEnded() {
    std::deque<std::shared_ptr<Job>> ended;
    {
        const std::lock_guard held(shared_->lock);
        ended.swap(shared_->ended);
    }
    // A finish may start new work, so the lock is not held meanwhile.
    for (const auto& job : ended) job->finish();
}

void WorkerThread::awaitIdle(DWORD limitMs) {
    {
        std::unique_lock held(shared_->lock);
        shared_->changed.wait_for(held, std::chrono::milliseconds(limitMs),
                                  [this] { return shared_->waiting.empty() && !shared_->running; });
    }
    finishEnded();
}

bool WorkerThread::stop(DWORD limitMs) {
    bool idle = false;
    {
        std::unique_lock held(shared_->lock);
        shared_->quitting = true;
        shared_->waiting.clear();
        shared_->ended.clear();
        shared_->window = nullptr;
        shared_->changed.notify_all();
        idle =
            shared_->changed.wait_for(held, std::chrono::milliseconds(limitMs), [this] { return !shared_->running; });
    }
    if (!thread_.joinable()) return true;
    if (idle) {
        thread_.join();
    } else {
        thread_.detach();
    }
    return idle;
}

}  // namespace twinpath::win32
