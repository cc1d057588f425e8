#pragma once

#include <windows.h>

#include <cstddef>
#include <deque>
#include <exception>
#include <string>
#include <thread>
#include <vector>

#include "ports/TextServices.h"

namespace twinpath::win32 {

class Win32TextServices;

// Makes sort keys on a thread of its own while a lister reads, so that the
// reading and the keys share the machine's cores and the keys are all but
// made when the last entry comes. Texts go over in batches. At the end the
// reading thread makes the keys of the last, short batch and of any batch the
// key thread has not begun, while that thread ends the one it holds. The
// batches' strings go back and forth and are filled again, so neither thread
// allocates them once the first few have gone round. The thread starts with
// the first full batch and ends with the object.
class SortKeyThread final : public SortKeyMaker {
public:
    explicit SortKeyThread(Win32TextServices& text) : text_(text) {}
    ~SortKeyThread() override;
    SortKeyThread(const SortKeyThread&) = delete;
    SortKeyThread& operator=(const SortKeyThread&) = delete;

    void add(const std::wstring& text) override;
    std::vector<std::string> take() override;

    // Texts handed over at a time: few enough that a folder of a hundred
    // entries leaves little to its last batch, enough that the thread is
    // woken once per batch, not per text.
    static constexpr std::size_t kBatch = 32;

private:
    using Batch = std::vector<std::wstring>;
    void work();

    Win32TextServices& text_;  // its sortKey reads only what its constructor set
    Batch batch_;              // the reading thread's own, filled up to `filled_`
    std::size_t filled_ = 0;

    // Shared with the thread, under lock_.
    SRWLOCK lock_ = SRWLOCK_INIT;
    CONDITION_VARIABLE changed_ = CONDITION_VARIABLE_INIT;
    std::deque<Batch> waiting_;      // full batches, oldest first
    std::vector<Batch> spare_;       // batches whose keys are made, to be filled again
    std::vector<std::string> keys_;  // made, in the order of their texts
    bool busy_ = false;              // making the keys of a batch outside the lock
    bool quitting_ = false;
    std::exception_ptr failure_;

    std::thread thread_;
};

}  // namespace twinpath::win32
