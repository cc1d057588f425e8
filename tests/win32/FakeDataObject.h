#pragma once

#include <windows.h>

#include <ole2.h>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace twinpath::wine {

// A CF_HDROP block: the DROPFILES header, then each name ended by a NUL and
// the list by one more. The ANSI form is what old programs still drop.
std::vector<std::byte> fileListBlock(const std::vector<std::wstring>& paths);
std::vector<std::byte> ansiFileListBlock(const std::vector<std::string>& paths);

std::vector<std::byte> textBytes(const std::wstring& text);

struct GlobalFreer {
    using pointer = HGLOBAL;
    void operator()(HGLOBAL memory) const noexcept { ::GlobalFree(memory); }
};
using UniqueGlobal = std::unique_ptr<HGLOBAL, GlobalFreer>;

UniqueGlobal globalCopy(const std::vector<std::byte>& bytes);

// A data object serving one format from global memory of its own, as the
// sources of a drag do. It lives on the stack and is never deleted by
// Release; each medium it hands out holds a reference to it, so a count back
// at one shows that every medium was released.
class FakeDataObject final : public IDataObject {
public:
    FakeDataObject(CLIPFORMAT format, const std::vector<std::byte>& bytes);

    ULONG references() const { return references_; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override { return --references_; }

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override;
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    bool serves(const FORMATETC* format) const;

    ULONG references_ = 1;
    CLIPFORMAT format_;
    UniqueGlobal memory_;
};

}  // namespace twinpath::wine
