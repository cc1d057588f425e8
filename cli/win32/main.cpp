#include <windows.h>

#include <string>
#include <vector>

#include "cli/Companion.h"
#include "cli/win32/StandardStreams.h"
#include "version.h"
#include "win32/Win32FileSystem.h"
#include "win32/Win32TextServices.h"

int wmain(int argc, wchar_t** argv) {
    // A drive without a medium must not raise a system dialog in a script.
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    const std::vector<std::wstring> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    twinpath::win32::Win32FileSystem fileSystem;
    twinpath::win32::Win32TextServices text;
    twinpath::cli::win32::StandardStreams console;
    return twinpath::cli::runCompanion(arguments, L"" TWINPATH_VERSION_TEXT, fileSystem, text, console);
}
