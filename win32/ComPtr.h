#pragma once

#include <windows.h>

#include <unknwn.h>

#include <memory>

namespace twinpath::win32 {

struct ComReleaser {
    void operator()(IUnknown* object) const noexcept { object->Release(); }
};

// A move-only owner of one COM reference: the reference it is given is
// released when the owner goes.
template <typename Interface>
using ComPtr = std::unique_ptr<Interface, ComReleaser>;

}  // namespace twinpath::win32
