#pragma once

// The window's own list-copy, timed as a user meets it: from a click on
// "List" until the clipboard holds the report, with the program's window, its
// controller and its background thread in this process. Optionally another
// thread meanwhile sends the window messages and records when each was
// answered: the longest gap between two answers is the longest the window
// left its user waiting.
#include <windows.h>

#include <optional>
#include <string>

#include "app/MainController.h"
#include "win32/MainWindow.h"
#include "win32/OleSession.h"
#include "win32/Win32FileSystem.h"
#include "win32/Win32ProcessServices.h"
#include "win32/Win32TextServices.h"
#include "win32/WorkerThread.h"

namespace twinpath::bench {

// The probe's pause after each answer: often enough to see any wait of a
// millisecond or more. A probe that sent without a pause would take a whole
// processor (its thread, the window's and the Wine server's) from the listing
// it watches, on a machine of two.
inline constexpr DWORD kProbePauseMs = 1;

// Seconds, from the click on "List".
struct WindowListCopyFigures {
    double seconds = 0;      // until the report is on the clipboard
    double untilResult = 0;  // until the window's thread took up the ended listing
    double busySeconds = 0;  // the window's thread handling messages, the click included
    // The two slowest messages the window's thread handled.
    double longestDispatch = 0;
    UINT slowestMessage = 0;
    double nextSlowest = 0;
    UINT nextSlowestMessage = 0;
    std::size_t characters = 0;  // of the text on the clipboard afterwards
    // Probed rounds only: the longest gap between two answers, the longest
    // wait for one answer, and the longest of each that does not overlap the
    // slowest message.
    double longestGap = 0;
    double longestGapElsewhere = 0;
    double longestWait = 0;
    double longestWaitElsewhere = 0;
    std::size_t answers = 0;
};

class WindowListCopy {
public:
    // Makes and shows the window as the program does, common controls and
    // OLE included.
    WindowListCopy();
    WindowListCopy(const WindowListCopy&) = delete;
    WindowListCopy& operator=(const WindowListCopy&) = delete;

    // Opens `folder` in the window and waits for its forms; false when the
    // window could not be made or the forms did not come.
    bool open(const std::wstring& folder);
    // One list-copy; with `probe`, answered messages are recorded meanwhile.
    // Nothing when the clipboard did not change within a minute.
    std::optional<WindowListCopyFigures> listCopy(bool probe);

private:
    win32::OleSession ole_;
    win32::Win32ProcessServices process_;
    win32::WorkerThread work_;
    win32::MainWindow window_;
    MainController controller_;
    bool created_ = false;
};

}  // namespace twinpath::bench
