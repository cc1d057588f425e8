#pragma once

#include <string>

#include "win32/Handles.h"

namespace twinpath::win32 {

// Answers "is another copy already running in this session?" through a named
// mutex in the session's namespace. The first copy keeps the object (and so
// the mutex) for its whole life; a later copy sees the mutex already there.
class InstanceMutex {
public:
    static constexpr wchar_t kProgramName[] = L"Local\\Twinpath.SingleInstance";

    // `name` is for tests; the program uses kProgramName.
    explicit InstanceMutex(const std::wstring& name = kProgramName);

    bool anotherCopyRunning() const { return anotherCopy_; }

private:
    UniqueHandle mutex_;
    bool anotherCopy_ = false;
};

}  // namespace twinpath::win32
