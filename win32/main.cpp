#include <windows.h>

#include "win32/Program.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    return twinpath::win32::runProgram(instance, showCommand);
}
