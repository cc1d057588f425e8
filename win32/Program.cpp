#include "win32/Program.h"

#include <functional>
#include <optional>
#include <utility>

#include "app/MainController.h"
#include "win32/DdeServer.h"
#include "win32/MainWindow.h"
#include "win32/MessageLoop.h"
#include "win32/OleSession.h"
#include "win32/Win32FileSystem.h"
#include "win32/Win32ProcessServices.h"
#include "win32/Win32TextServices.h"
#include "win32/WindowLibraries.h"
#include "win32/WorkerThread.h"

namespace twinpath::win32 {

namespace {

constexpr DWORD kFormsBeforeShowingMs = 250;
constexpr DWORD kWorkAfterClosingMs = 900;

}  // namespace

int runProgram(HINSTANCE instance, int showCommand, const ProgramParts& parts) {
    StartupSteps silent;
    StartupSteps& step = parts.steps ? *parts.steps : silent;
    // A drive without a medium must not raise a system dialog: a path that
    // cannot be read just shows empty fields.
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);

    // The jobs share the ports they read through: a job stuck in a call on a
    // dead share keeps them alive after this function has been left, by any
    // way, and touches nothing of what goes with it.
    const std::shared_ptr<FileSystem> fileSystem =
        parts.fileSystem ? parts.fileSystem : std::make_shared<Win32FileSystem>();
    const auto text = std::make_shared<Win32TextServices>();
    Win32ProcessServices process;
    // Gone last of what follows: its end drops the jobs not begun and waits
    // about a second for the one that runs.
    WorkerThread work;
    // OLE serves only drops, which wait until the window shows; it must end
    // after the window, whose destruction revokes its drop target.
    std::optional<OleSession> ole;
    // The window object exists, its window not yet: a second start decides
    // and hands off first, and builds nothing it would not show.
    MainWindow window(instance, work);
    MainController controller(window, work, fileSystem, text, process);
    window.attach(controller);
    if (controller.start() == MainController::StartResult::HandedOff) return 0;
    step.instanceDecided();
    // The first conversion runs beside the making of the window.
    controller.readStartPath();
    // The bar classes hold the tooltip.
    windowLibraries::initCommonControls(ICC_STANDARD_CLASSES | ICC_BAR_CLASSES);
    step.systemReady();
    if (!window.create()) return 1;
    step.windowCreated();

    // Registered before waiting for the first conversion, which can take
    // seconds: a second start meanwhile finds the service and waits for its
    // answer instead of opening a window of its own. Its path arrives
    // through the message loop, after the start path.
    DdeServer handOffs([&window](const std::wstring& path) { window.queuePath(path); });
    handOffs.start();
    step.converting();
    controller.showStartPath();
    // The window shows with its forms when they come soon; otherwise it shows
    // at once and they follow.
    window.awaitWork(kFormsBeforeShowingMs);
    step.startPathShown();

    window.show(showCommand);
    step.shown();
    // What the user cannot see or use in the first moment waits until the
    // window has come up and answered what was waiting: the tooltips, and
    // OLE with the drop target (nothing can be dropped on a window before it
    // shows).
    bool idleSeen = false;
    const std::function<void()> onIdle = [&] {
        if (std::exchange(idleSeen, true)) return;
        window.showHelp();
        ole.emplace();
        window.acceptDrops();
        step.acceptingDrops();
        step.firstIdle();
    };
    const int exitCode = runMessageLoop([&window](MSG& message) { return window.preTranslate(message); }, onIdle);
    // A call stuck on a dead share cannot be stopped, and the program holds
    // nothing that must be saved: the process ends without waiting for it.
    if (!work.stop(kWorkAfterClosingMs)) ::ExitProcess(static_cast<UINT>(exitCode));
    return exitCode;
}

}  // namespace twinpath::win32
