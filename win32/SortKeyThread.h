#pragma once

#include <windows.h>

#include <cstddef>
#include <exception>
#include <string>
#include <thread>
#include <vector>

#include "ports/TextServices.h"

namespace twinpath::win32 {

class Win32TextServices;

// Makes sort keys on a thread of its own while a lister reads, so that the
// reading and the keys share the machine's cores and the keys are all but
// made when the last entry comes. Texts go over in batches; the last, short
// one is made on the caller's thread while the key thread ends what it
// holds. The thread starts with the first batch and ends with the object.
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
    void work();

    Win32TextServices& text_;          // its sortKey reads only what its constructor set
    std::vector<std::wstring> batch_;  // the caller's own, not yet handed over

    // Shared with the thread, under lock_.
    SRWLOCK lock_ = SRWLOCK_INIT;
    CONDITION_VARIABLE changed_ = CONDITION_VARIABLE_INIT;
    std::vector<std::wstring> handed_;  // texts that wait for the thread
    std::vector<std::string> keys_;     // made, in the order of their texts
    bool busy_ = false;                 // making keys outside the lock
    bool quitting_ = false;
    std::exception_ptr failure_;

    std::thread thread_;
};

}  // namespace twinpath::win32
