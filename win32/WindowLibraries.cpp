#include "win32/WindowLibraries.h"

#include <memory>

namespace twinpath::win32::windowLibraries {

namespace {

struct LibraryFreer {
    using pointer = HMODULE;
    void operator()(HMODULE module) const noexcept { ::FreeLibrary(module); }
};

// A DLL from the system folder only, never one planted beside the program.
// Side-by-side redirection still applies, so the program's manifest gets it
// version 6 of the common controls.
class SystemLibrary {
public:
    explicit SystemLibrary(const wchar_t* name) noexcept
        : module_(::LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {}

    template <typename Function>
    Function find(const char* name) const noexcept {
        if (!module_) return nullptr;
        return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(::GetProcAddress(module_.get(), name)));
    }

private:
    std::unique_ptr<HMODULE, LibraryFreer> module_;
};

// Each table is made once, on first use, and stays for the process's life:
// the controls' subclass procedures and OLE's drop target need their DLLs
// until the last window is gone. decltype(&::Function) names a function's
// type without importing it.
struct CommonControls {
    SystemLibrary library{L"comctl32.dll"};
    decltype(&::InitCommonControlsEx) init = library.find<decltype(init)>("InitCommonControlsEx");
    decltype(&::SetWindowSubclass) setSubclass = library.find<decltype(setSubclass)>("SetWindowSubclass");
    decltype(&::RemoveWindowSubclass) removeSubclass = library.find<decltype(removeSubclass)>("RemoveWindowSubclass");
    decltype(&::DefSubclassProc) defSubclass = library.find<decltype(defSubclass)>("DefSubclassProc");
};

struct Ole {
    SystemLibrary library{L"ole32.dll"};
    decltype(&::OleInitialize) initialize = library.find<decltype(initialize)>("OleInitialize");
    decltype(&::OleUninitialize) uninitialize = library.find<decltype(uninitialize)>("OleUninitialize");
    decltype(&::RegisterDragDrop) registerTarget = library.find<decltype(registerTarget)>("RegisterDragDrop");
    decltype(&::RevokeDragDrop) revokeTarget = library.find<decltype(revokeTarget)>("RevokeDragDrop");
    decltype(&::ReleaseStgMedium) releaseMedium = library.find<decltype(releaseMedium)>("ReleaseStgMedium");
    decltype(&::CoCreateInstance) createInstance = library.find<decltype(createInstance)>("CoCreateInstance");
};

struct NetworkLayer {
    SystemLibrary library{L"mpr.dll"};
    decltype(&::WNetGetUniversalNameW) universalName = library.find<decltype(universalName)>("WNetGetUniversalNameW");
};

const CommonControls& commonControls() {
    static const CommonControls table;
    return table;
}

const Ole& ole() {
    static const Ole table;
    return table;
}

const NetworkLayer& networkLayer() {
    static const NetworkLayer table;
    return table;
}

}  // namespace

bool initCommonControls(DWORD classes) noexcept {
    INITCOMMONCONTROLSEX controls{sizeof(controls), classes};
    const auto init = commonControls().init;
    return init && init(&controls);
}

bool setWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data) noexcept {
    const auto setSubclass = commonControls().setSubclass;
    return setSubclass && setSubclass(window, procedure, id, data);
}

bool removeWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id) noexcept {
    const auto removeSubclass = commonControls().removeSubclass;
    return removeSubclass && removeSubclass(window, procedure, id);
}

LRESULT defSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    // Only a subclassed control calls it, and subclassing needed the DLL.
    const auto defSubclass = commonControls().defSubclass;
    return defSubclass ? defSubclass(window, message, wParam, lParam)
                       : ::DefWindowProcW(window, message, wParam, lParam);
}

HRESULT oleInitialize() noexcept {
    const auto initialize = ole().initialize;
    return initialize ? initialize(nullptr) : E_NOTIMPL;
}

void oleUninitialize() noexcept {
    if (const auto uninitialize = ole().uninitialize) uninitialize();
}

HRESULT registerDragDrop(HWND window, IDropTarget* target) noexcept {
    const auto registerTarget = ole().registerTarget;
    return registerTarget ? registerTarget(window, target) : E_NOTIMPL;
}

HRESULT revokeDragDrop(HWND window) noexcept {
    const auto revokeTarget = ole().revokeTarget;
    return revokeTarget ? revokeTarget(window) : E_NOTIMPL;
}

void releaseStgMedium(STGMEDIUM* medium) noexcept {
    if (const auto releaseMedium = ole().releaseMedium) releaseMedium(medium);
}

HRESULT coCreateInstance(REFCLSID type, REFIID wanted, void** object) noexcept {
    const auto createInstance = ole().createInstance;
    return createInstance ? createInstance(type, nullptr, CLSCTX_INPROC_SERVER, wanted, object) : E_NOTIMPL;
}

DWORD getUniversalName(const wchar_t* localPath, DWORD level, void* buffer, DWORD* size) noexcept {
    const auto universalName = networkLayer().universalName;
    return universalName ? universalName(localPath, level, buffer, size) : ERROR_NOT_SUPPORTED;
}

}  // namespace twinpath::win32::windowLibraries
