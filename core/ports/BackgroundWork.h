#pragma once

#include <cstdint>
#include <memory>

namespace twinpath {

// A piece of file-system work that the window hands off so that it never
// waits on a slow disk or share itself.
class Job {
public:
    virtual ~Job() = default;
    // Runs away from the window's thread: touches the job's own data and the
    // ports it was given, nothing of the window's.
    virtual void run() = 0;
    // Runs on the window's thread once run() has returned; never after the
    // window has gone.
    virtual void finish() = 0;
};

// Runs jobs one at a time, in the order they were started, off the window's
// thread, and brings each back to the window's thread when it is done.
class BackgroundWork {
public:
    virtual ~BackgroundWork() = default;
    virtual void start(std::shared_ptr<Job> job) = 0;
    // Milliseconds on a clock that only moves forward: how long work has
    // been going on.
    virtual std::uint64_t now() = 0;
};

}  // namespace twinpath
