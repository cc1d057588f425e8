#pragma once

#include <windows.h>

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

}  // namespace twinpath::win32
