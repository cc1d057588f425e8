// A second floor of the start-up figures: a program that loads what
// twinpath.exe loads before its first line runs (the same system DLLs, the
// same resources and manifest) and then ends at once.
// Its start-to-end time less the minimal program's is the price of those
// DLLs; bench/run.sh checks that the two import lists are the same.
#include <windows.h>

namespace {

// Taking the functions' addresses makes the linker import them without the
// program calling them.
const void* volatile imported[] = {
    reinterpret_cast<const void*>(&::GetFileVersionInfoSizeW),  // VERSION
    reinterpret_cast<const void*>(&::GetStockObject),           // GDI32
    reinterpret_cast<const void*>(&::CreateWindowExW),          // USER32
    reinterpret_cast<const void*>(&::RegGetValueW),             // ADVAPI32
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return imported[0] ? 0 : 1; }
