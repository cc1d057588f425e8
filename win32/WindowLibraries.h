#pragma once

#include <windows.h>

#include <commctrl.h>
#include <ole2.h>
#include <winnetwk.h>

namespace twinpath::win32 {

// The system DLLs that only the window and a few commands need: common
// controls, OLE and the network layer. They are loaded on the
// first call that needs them, not when the process starts, so a second start,
// which hands its path to the running copy and ends, never pays for them. Each call fails the way its own function
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
HRESULT coCreateInstance(REFCLSID type, REFIID wanted, void** object) noexcept;

DWORD getUniversalName(const wchar_t* localPath, DWORD level, void* buffer, DWORD* size) noexcept;

}  // namespace windowLibraries

}  // namespace twinpath::win32
