#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>

namespace twinpath::win32 {

// Move-only owners for the handle kinds the program uses; each frees its
// handle on every way out of a scope.

struct FindCloser {
    using pointer = HANDLE;
    void operator()(HANDLE handle) const noexcept {
        if (handle != INVALID_HANDLE_VALUE) ::FindClose(handle);
    }
};
using UniqueFindHandle = std::unique_ptr<HANDLE, FindCloser>;

struct HandleCloser {
    using pointer = HANDLE;
    void operator()(HANDLE handle) const noexcept {
        if (handle) ::CloseHandle(handle);
    }
};
using UniqueHandle = std::unique_ptr<HANDLE, HandleCloser>;

struct GlobalFreer {
    using pointer = HGLOBAL;
    void operator()(HGLOBAL memory) const noexcept {
        if (memory) ::GlobalFree(memory);
    }
};
using UniqueGlobal = std::unique_ptr<HGLOBAL, GlobalFreer>;

// The lock on movable global memory, held while its bytes are read or written.
class GlobalLockGuard {
public:
    explicit GlobalLockGuard(HGLOBAL memory) noexcept
        : memory_(memory), data_(memory ? ::GlobalLock(memory) : nullptr) {
        if (data_) size_ = ::GlobalSize(memory);
    }
    ~GlobalLockGuard() {
        if (data_) ::GlobalUnlock(memory_);
    }
    GlobalLockGuard(const GlobalLockGuard&) = delete;
    GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;

    void* data() const noexcept { return data_; }
    std::size_t size() const noexcept { return size_; }

private:
    HGLOBAL memory_;
    void* data_;
    std::size_t size_ = 0;
};

}  // namespace twinpath::win32
