#include "win32/SortKeyThread.h"

#include <iterator>
#include <utility>

#include "win32/Win32TextServices.h"

namespace twinpath::win32 {

namespace {

// The slim lock and condition variable wait and wake without a round trip to
// another process where the standard library's would.
class ExclusiveLock {
public:
    explicit ExclusiveLock(SRWLOCK& lock) : lock_(lock) { ::AcquireSRWLockExclusive(&lock_); }
    ~ExclusiveLock() { ::ReleaseSRWLockExclusive(&lock_); }
    ExclusiveLock(const ExclusiveLock&) = delete;
    ExclusiveLock& operator=(const ExclusiveLock&) = delete;

    // Lets the lock go until `changed` is woken, then holds it again.
    void wait(CONDITION_VARIABLE& changed) { ::SleepConditionVariableSRW(&changed, &lock_, INFINITE, 0); }

private:
    SRWLOCK& lock_;
};

void append(std::vector<std::string>& keys, std::vector<std::string>& more) {
    if (keys.empty()) {
        keys.swap(more);
        return;
    }
    keys.insert(keys.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
    more.clear();
}

}  // namespace

SortKeyThread::~SortKeyThread() {
    {
        const ExclusiveLock held(lock_);
        quitting_ = true;
    }
    ::WakeAllConditionVariable(&changed_);
    if (thread_.joinable()) thread_.join();
}

void SortKeyThread::add(const std::wstring& text) {
    if (filled_ < batch_.size())
        batch_[filled_].assign(text);
    else
        batch_.push_back(text);
    if (++filled_ < kBatch) return;
    // Started before a batch is handed over: batches wait for the thread only
    // when there is one.
    if (!thread_.joinable()) thread_ = std::thread([this] { work(); });
    Batch next;
    {
        const ExclusiveLock held(lock_);
        waiting_.push_back(std::move(batch_));
        if (!spare_.empty()) {
            next = std::move(spare_.back());
            spare_.pop_back();
        }
    }
    ::WakeConditionVariable(&changed_);
    batch_ = std::move(next);
    filled_ = 0;
}

std::vector<std::string> SortKeyThread::take() {
    std::deque<Batch> notBegun;
    {
        const ExclusiveLock held(lock_);
        notBegun.swap(waiting_);
    }
    // Made here while the thread ends the batch it holds, which comes before these.
    std::vector<std::string> last;
    for (const Batch& batch : notBegun)
        for (const std::wstring& text : batch) last.push_back(text_.sortKey(text));
    for (std::size_t i = 0; i < filled_; ++i) last.push_back(text_.sortKey(batch_[i]));
    filled_ = 0;
    std::vector<std::string> keys;
    std::exception_ptr failure;
    {
        ExclusiveLock held(lock_);
        while (busy_) held.wait(changed_);
        keys.swap(keys_);
        failure = std::exchange(failure_, nullptr);
        for (Batch& batch : notBegun) spare_.push_back(std::move(batch));
    }
    if (failure) std::rethrow_exception(failure);
    append(keys, last);
    return keys;
}

void SortKeyThread::work() {
    Batch batch;
    std::vector<std::string> made;
    for (;;) {
        {
            ExclusiveLock held(lock_);
            while (waiting_.empty() && !quitting_) held.wait(changed_);
            if (quitting_) return;
            batch = std::move(waiting_.front());
            waiting_.pop_front();
            busy_ = true;
        }
        std::exception_ptr failure;
        try {
            for (const std::wstring& text : batch) made.push_back(text_.sortKey(text));
        } catch (...) {
            failure = std::current_exception();
        }
        {
            const ExclusiveLock held(lock_);
            busy_ = false;
            try {
                if (!failure) append(keys_, made);
                spare_.push_back(std::move(batch));
            } catch (...) {
                failure = std::current_exception();
            }
            // Keys of a batch that failed are missing, so the rest are out of step: the take fails.
            if (failure && !failure_) failure_ = failure;
        }
        made.clear();
        ::WakeAllConditionVariable(&changed_);
    }
}

}  // namespace twinpath::win32
