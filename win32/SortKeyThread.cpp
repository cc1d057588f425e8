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
    batch_.push_back(text);
    if (batch_.size() < kBatch) return;
    // Started before any text is handed over: texts wait for the thread only
    // when there is one.
    if (!thread_.joinable()) thread_ = std::thread([this] { work(); });
    {
        const ExclusiveLock held(lock_);
        if (handed_.empty()) {
            handed_.swap(batch_);  // batch_ takes the thread's emptied buffer
        } else {
            handed_.insert(handed_.end(), std::make_move_iterator(batch_.begin()),
                           std::make_move_iterator(batch_.end()));
            batch_.clear();
        }
    }
    ::WakeConditionVariable(&changed_);
}

std::vector<std::string> SortKeyThread::take() {
    std::vector<std::string> last;
    last.reserve(batch_.size());
    for (const std::wstring& text : batch_) last.push_back(text_.sortKey(text));
    batch_.clear();
    std::vector<std::string> keys;
    std::exception_ptr failure;
    {
        ExclusiveLock held(lock_);
        while (busy_ || !handed_.empty()) held.wait(changed_);
        keys.swap(keys_);
        failure = std::exchange(failure_, nullptr);
    }
    if (failure) std::rethrow_exception(failure);
    append(keys, last);
    return keys;
}

void SortKeyThread::work() {
    std::vector<std::wstring> texts;
    std::vector<std::string> made;
    for (;;) {
        {
            ExclusiveLock held(lock_);
            while (handed_.empty() && !quitting_) held.wait(changed_);
            if (quitting_) return;
            texts.swap(handed_);
            busy_ = true;
        }
        std::exception_ptr failure;
        try {
            for (const std::wstring& text : texts) made.push_back(text_.sortKey(text));
        } catch (...) {
            failure = std::current_exception();
        }
        texts.clear();
        {
            const ExclusiveLock held(lock_);
            busy_ = false;
            try {
                if (!failure) append(keys_, made);
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
