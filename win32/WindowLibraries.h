#pragma once

#include <windows.h>

#include <commctrl.h>
#include <ole2.h>
#include <shellapi.h>

namespace twinpath::win32 {

// The system DLLs that only the window needs: common controls, OLE and the
// shell. They are loaded on the first call that needs them, not when the
// process starts, so a second start, which hands its path to the running copy
// and ends, never pays for them. Each call fails the way its own function
// reports failure when its DLL or the function cannot be had.
namespace windowLibraries {

bool initCommonControls(DWORD classes) noexcept;
bool setWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data) noexcept;
bool removeWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id) noexcept;
LRESULT defSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

HRESULT oleInitialize() noexcept;
void oleUninitialize() noexcept;
HRESULT registerDragDrop(HWND window, IDropTarget* target) noexcept;
HRESULT revokeDragDrop(HWND window) noexcept;
void releaseStgMedium(STGMEDIUM* medium) noexcept;
HRESULT coCreateInstance(REFCLSID type, DWORD context, REFIID iid, void** object) noexcept;

UINT dragQueryFile(HDROP drop, UINT index, wchar_t* buffer, UINT size) noexcept;

}  // namespace windowLibraries

}  // namespace twinpath::win32
