#pragma once

#include <string>

namespace twinpath {

struct ProgramVersion {
    int major = 0;
    int minor = 0;
    int revision = 0;
};

// What start-up needs of the process and of the other running copy.
class ProcessServices {
public:
    virtual ~ProcessServices() = default;

    // True when another copy of the program runs in this user session.
    virtual bool previousInstanceRunning() = 0;
    // The command line after the program's own name, as one text.
    virtual std::wstring commandLineArguments() = 0;
    virtual ProgramVersion version() = 0;
    // The full form of a relative path, against this process's current folder.
    virtual std::wstring fullPath(const std::wstring& relativePath) = 0;
    // Hands the text to the running copy; false when no copy answered.
    virtual bool handOff(const std::wstring& text) = 0;
};

}  // namespace twinpath
