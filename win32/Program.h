#pragma once

#include <windows.h>

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

// The whole program: start-up, hand-off to a running copy, or the window and
// its message loop. Returns the process's exit code.
int runProgram(HINSTANCE instance, int showCommand, StartupSteps* steps = nullptr);

}  // namespace twinpath::win32
