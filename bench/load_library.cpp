// Prices one system DLL at start-up: started with a DLL's name it loads that
// DLL (and whatever the DLL itself loads and initialises) and ends; started
// without one it ends at once, importing nothing beyond KERNEL32 and the C
// runtime. The launcher's start-to-end times of the two differ by the DLL's
// cost, the same cost a program importing it pays before its first line runs.
#include <windows.h>

#include <memory>

namespace {

struct LibraryFreer {
    using pointer = HMODULE;
    void operator()(HMODULE module) const noexcept { ::FreeLibrary(module); }
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR arguments, int) {
    if (arguments[0] == L'\0') return 0;
    const std::unique_ptr<HMODULE, LibraryFreer> library(::LoadLibraryW(arguments));
    return library ? 0 : 1;
}
