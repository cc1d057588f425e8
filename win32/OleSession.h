#pragma once

#include <windows.h>

#include <ole2.h>

#include "win32/WindowLibraries.h"

namespace twinpath::win32 {

// OLE for the calling thread, which drag and drop needs on the window's
// thread. OleUninitialize is owed only after OleInitialize succeeded (S_FALSE,
// "already initialised", counts as success and must be paired too). Neither
// copied nor moved: the session belongs to the thread that opened it.
class OleSession {
public:
    OleSession() noexcept : result_(windowLibraries::oleInitialize()) {}
    ~OleSession() {
        if (SUCCEEDED(result_)) windowLibraries::oleUninitialize();
    }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;

    bool active() const noexcept { return SUCCEEDED(result_); }

private:
    HRESULT result_;
};

}  // namespace twinpath::win32
