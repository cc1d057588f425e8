#pragma once

// A job that reads a result off the window's thread and hands it to a
// completion on it. Neither side knows the other: the reading knows only the
// ports it captured, the completion only its owner.
#include <functional>
#include <memory>
#include <utility>

#include "ports/BackgroundWork.h"

namespace twinpath {

template <class Result>
class ReadJob final : public Job {
public:
    ReadJob(std::function<Result()> read, std::function<void(Result&&)> done)
        : read_(std::move(read)), done_(std::move(done)) {}
    void run() override { result_ = read_(); }
    void finish() override { done_(std::move(result_)); }

private:
    std::function<Result()> read_;
    std::function<void(Result&&)> done_;
    Result result_{};
};

// Starts `read` on the work; `done` gets its result on the window's thread.
template <class Result>
void startReading(BackgroundWork& work, std::function<Result()> read, std::function<void(Result&&)> done) {
    work.start(std::make_shared<ReadJob<Result>>(std::move(read), std::move(done)));
}

}  // namespace twinpath
