#pragma once

#include <windows.h>

#include <memory>

#include "ports/FileSystem.h"

namespace twinpath::win32 {

// Told as each step of the start-up is done; the start-up benchmark times the
// steps with it.
class StartupSteps {
public:
    virtual ~StartupSteps() = default;
    virtual void instanceDecided() {}  // no other copy took the command line
    virtual void systemReady() {}      // common controls
    virtual void windowCreated() {}    // the hidden window with its controls and fonts
    virtual void converting() {}       // the hand-off service answers; the first conversion starts
    virtual void startPathShown() {}   // the caption and the first conversion
    virtual void shown() {}            // shown, painted and activated
    virtual void acceptingDrops() {}   // OLE and the drop target
    virtual void firstIdle() {}
};

// What the program can be given in place of its own: the start-up benchmark
// times the steps, and a test reads through a file system of its own.
struct ProgramParts {
    StartupSteps* steps = nullptr;
    std::shared_ptr<FileSystem> fileSystem;
};

// The whole program: start-up, hand-off to a running copy, or the window and
// its message loop. Returns the process's exit code.
int runProgram(HINSTANCE instance, int showCommand, const ProgramParts& parts = {});

}  // namespace twinpath::win32
