#include "tests/win32/FakeDataObject.h"

#include <shlobj.h>

#include <cstring>

namespace twinpath::wine {

namespace {

template <typename Char>
std::vector<std::byte> listBlock(const std::vector<std::basic_string<Char>>& paths, bool wide) {
    DROPFILES header{};
    header.pFiles = sizeof header;
    header.fWide = wide;
    std::basic_string<Char> list;
    for (const auto& path : paths) list.append(path).push_back(Char{});
    list.push_back(Char{});
    std::vector<std::byte> block(sizeof header + list.size() * sizeof(Char));
    std::memcpy(block.data(), &header, sizeof header);
    std::memcpy(block.data() + sizeof header, list.data(), list.size() * sizeof(Char));
    return block;
}

}  // namespace

std::vector<std::byte> fileListBlock(const std::vector<std::wstring>& paths) {
    return listBlock(paths, true);
}

std::vector<std::byte> ansiFileListBlock(const std::vector<std::string>& paths) {
    return listBlock(paths, false);
}

std::vector<std::byte> textBytes(const std::wstring& text) {
    std::vector<std::byte> bytes((text.size() + 1) * sizeof(wchar_t));
    std::memcpy(bytes.data(), text.c_str(), bytes.size());
    return bytes;
}

UniqueGlobal globalCopy(const std::vector<std::byte>& bytes) {
    UniqueGlobal memory(::GlobalAlloc(GMEM_MOVEABLE, bytes.size()));
    if (void* data = memory ? ::GlobalLock(memory.get()) : nullptr) {
        std::memcpy(data, bytes.data(), bytes.size());
        ::GlobalUnlock(memory.get());
    }
    return memory;
}

FakeDataObject::FakeDataObject(CLIPFORMAT format, const std::vector<std::byte>& bytes)
    : format_(format), memory_(globalCopy(bytes)) {}

HRESULT FakeDataObject::QueryInterface(REFIID id, void** object) {
    if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDataObject)) {
        *object = static_cast<IDataObject*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

bool FakeDataObject::serves(const FORMATETC* format) const {
    return format && format->cfFormat == format_ && (format->tymed & TYMED_HGLOBAL) &&
           format->dwAspect == DVASPECT_CONTENT;
}

HRESULT FakeDataObject::GetData(FORMATETC* format, STGMEDIUM* medium) {
    if (!serves(format)) return DV_E_FORMATETC;
    // The memory stays ours: releasing the medium releases this object instead.
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = memory_.get();
    medium->pUnkForRelease = this;
    AddRef();
    return S_OK;
}

HRESULT FakeDataObject::QueryGetData(FORMATETC* format) { return serves(format) ? S_OK : DV_E_FORMATETC; }

HRESULT FakeDataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) {
    if (out) out->ptd = nullptr;
    return E_NOTIMPL;
}

}  // namespace twinpath::wine
