#pragma once

#include <memory>

#include "ports/ProcessServices.h"

namespace twinpath::win32 {

class InstanceMutex;

// The process side of start-up: the single-instance test, the command line,
// the version resource and the hand-off to the running copy over DDE.
class Win32ProcessServices final : public ProcessServices {
public:
    Win32ProcessServices();
    ~Win32ProcessServices() override;

    bool previousInstanceRunning() override;
    std::wstring commandLineArguments() override;
    ProgramVersion version() override;
    std::wstring fullPath(const std::wstring& relativePath) override;
    bool handOff(const std::wstring& text) override;

private:
    // Held for the life of the first copy: it is what later copies find.
    std::unique_ptr<InstanceMutex> instance_;
};

}  // namespace twinpath::win32
