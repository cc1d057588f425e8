#pragma once

#include <windows.h>

#include <string>

namespace twinpath::win32 {

// Calls one of the "fill my buffer" functions until the buffer is big enough.
// `fill(buffer, capacity)` follows the common convention: the length without
// the NUL on success, the size needed (with the NUL) when the buffer is too
// small, 0 on failure. Returns the text, or nothing on failure.
template <typename Fill>
bool callWithGrowingBuffer(Fill fill, std::wstring& out, DWORD initialCapacity = MAX_PATH) {
    std::wstring buffer(initialCapacity == 0 ? 1 : initialCapacity, L'\0');
    // The needed size can change between calls (a path renamed meanwhile); a
    // few rounds settle it, and the bound keeps a misbehaving call from looping.
    for (int round = 0; round < 8; ++round) {
        const DWORD result = fill(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (result == 0) return false;
        if (result < buffer.size()) {
            buffer.resize(result);
            out = std::move(buffer);
            return true;
        }
        buffer.assign(result, L'\0');
    }
    return false;
}

}  // namespace twinpath::win32
