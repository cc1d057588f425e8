#pragma once

#include <windows.h>

#include <ole2.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "win32/ComPtr.h"

namespace twinpath::win32 {

// The window's drop target: it takes a dropped file list (CF_HDROP) and hands
// on its first path. Only the parts of the window that `accepts` (a hit test
// on a screen point) approves take drops; elsewhere, and for data without a
// file list, the drag shows "no drop". `onDrop` runs inside the drag loop,
// while the source waits: it should record the path and return.
class DropTarget final : public IDropTarget {
public:
    using Accepts = std::function<bool(POINT screenPoint)>;
    using OnDrop = std::function<void(std::vector<std::wstring> paths)>;

    static ComPtr<DropTarget> create(Accepts accepts, OnDrop onDrop);

    DropTarget(const DropTarget&) = delete;
    DropTarget& operator=(const DropTarget&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) noexcept override;
    ULONG STDMETHODCALLTYPE AddRef() noexcept override;
    ULONG STDMETHODCALLTYPE Release() noexcept override;

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keyState, POINTL point,
                                        DWORD* effect) noexcept override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keyState, POINTL point, DWORD* effect) noexcept override;
    HRESULT STDMETHODCALLTYPE DragLeave() noexcept override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) noexcept override;

private:
    DropTarget(Accepts accepts, OnDrop onDrop);
    ~DropTarget() = default;

    DWORD effectAt(POINTL point, DWORD allowed) const;

    std::atomic<ULONG> references_{1};
    Accepts accepts_;
    OnDrop onDrop_;
    // Whether the data of the drag in progress carries a file list.
    bool hasFileList_ = false;
};

}  // namespace twinpath::win32
