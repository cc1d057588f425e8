#include "win32/InstanceMutex.h"

#include <windows.h>

namespace twinpath::win32 {

InstanceMutex::InstanceMutex(const std::wstring& name) {
    mutex_.reset(::CreateMutexW(nullptr, FALSE, name.c_str()));
    const DWORD error = ::GetLastError();
    // A copy running elevated makes the mutex exist but denies us access to it.
    // Any other failure leaves the question open; this copy then runs rather
    // than hand its input to a copy that may not exist.
    anotherCopy_ = mutex_ ? error == ERROR_ALREADY_EXISTS : error == ERROR_ACCESS_DENIED;
}

}  // namespace twinpath::win32
