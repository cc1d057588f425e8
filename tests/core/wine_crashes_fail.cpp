// Wine's crash handling can end a crashed program with 0, which CTest would
// count as a pass: here any crash ends the test program with 3.
#include <windows.h>

#include <cstdio>

namespace {

const bool kCrashesFail = [] {
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    ::SetUnhandledExceptionFilter([](EXCEPTION_POINTERS* info) -> LONG {
        std::fprintf(stderr, "test program crashed: exception 0x%08lx\n", info->ExceptionRecord->ExceptionCode);
        ::TerminateProcess(::GetCurrentProcess(), 3);
        return EXCEPTION_EXECUTE_HANDLER;
    });
    return true;
}();

}  // namespace
