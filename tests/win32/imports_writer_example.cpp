// A program that imports functions which write files and the registry. It
// is never run: the import check must name each of these imports when it
// reads this program, or the check itself is broken.
#include <windows.h>

#include <cstdio>

int main() {
    // Keeping their addresses is enough to import them; volatile, so that
    // the compiler keeps them.
    const void* volatile imported[] = {
        reinterpret_cast<const void*>(&::CreateFileW), reinterpret_cast<const void*>(&::DeleteFileW),
        reinterpret_cast<const void*>(&::RegSetValueExW), reinterpret_cast<const void*>(&::_wfopen)};
    int present = 0;
    for (const void* function : imported) present += function != nullptr;
    return present;
}
