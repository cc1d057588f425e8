#include "win32/DropTarget.h"

#include <shellapi.h>

#include <utility>

#include "win32/DroppedFiles.h"

namespace twinpath::win32 {

namespace {

bool carriesFileList(IDataObject* data) {
    if (!data) return false;
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    return data->QueryGetData(&format) == S_OK;
}

// Runs `decide(allowed effects)` and stores its effect. No exception may
// cross back into OLE: one that escapes the callbacks ends as "no drop".
template <typename Decide>
HRESULT decideEffect(DWORD* effect, Decide decide) noexcept {
    if (!effect) return E_INVALIDARG;
    try {
        *effect = decide(*effect);
        return S_OK;
    } catch (...) {
        *effect = DROPEFFECT_NONE;
        return E_UNEXPECTED;
    }
}

}  // namespace

ComPtr<DropTarget> DropTarget::create(Accepts accepts, OnDrop onDrop) {
    return ComPtr<DropTarget>(new DropTarget(std::move(accepts), std::move(onDrop)));
}

DropTarget::DropTarget(Accepts accepts, OnDrop onDrop) : accepts_(std::move(accepts)), onDrop_(std::move(onDrop)) {}

HRESULT DropTarget::QueryInterface(REFIID id, void** object) noexcept {
    if (!object) return E_POINTER;
    if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDropTarget)) {
        *object = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG DropTarget::AddRef() noexcept { return ++references_; }

ULONG DropTarget::Release() noexcept {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

// Copy is the one effect offered, and only when the source allows it.
DWORD DropTarget::effectAt(POINTL point, DWORD allowed) const {
    if (!hasFileList_ || !(allowed & DROPEFFECT_COPY)) return DROPEFFECT_NONE;
    return accepts_(POINT{point.x, point.y}) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
}

HRESULT DropTarget::DragEnter(IDataObject* data, DWORD, POINTL point, DWORD* effect) noexcept {
    hasFileList_ = carriesFileList(data);
    return decideEffect(effect, [&](DWORD allowed) { return effectAt(point, allowed); });
}

HRESULT DropTarget::DragOver(DWORD, POINTL point, DWORD* effect) noexcept {
    return decideEffect(effect, [&](DWORD allowed) { return effectAt(point, allowed); });
}

HRESULT DropTarget::DragLeave() noexcept {
    hasFileList_ = false;
    return S_OK;
}

HRESULT DropTarget::Drop(IDataObject* data, DWORD, POINTL point, DWORD* effect) noexcept {
    const HRESULT result = decideEffect(effect, [&](DWORD allowed) -> DWORD {
        if (effectAt(point, allowed) == DROPEFFECT_NONE) return DROPEFFECT_NONE;
        std::vector<std::wstring> paths = droppedPaths(data);
        if (paths.empty()) return DROPEFFECT_NONE;
        onDrop_(std::move(paths));
        return DROPEFFECT_COPY;
    });
    hasFileList_ = false;  // the drag is over
    return result;
}

}  // namespace twinpath::win32
