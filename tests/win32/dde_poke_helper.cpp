// A second start in miniature: hands its command line to the running copy and
// exits with 0 when the running copy acknowledged it.
#include <windows.h>

#include <chrono>

#include "platform/win32/DdeClient.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    return twinpath::win32::pokeRunningCopy(commandLine, std::chrono::seconds(2)) ? 0 : 1;
}
