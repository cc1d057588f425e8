// Prints its arguments one a line, as CommandLineToArgvW splits its
// command line ("A:") and as the C runtime does ("C:").
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <string>

int wmain(int argc, wchar_t** argv) {
    int count = 0;
    wchar_t** split = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::wstring text;
    for (int i = 1; split && i < count; ++i) text += L"A:" + std::wstring(split[i]) + L"\n";
    for (int i = 1; i < argc; ++i) text += L"C:" + std::wstring(argv[i]) + L"\n";
    ::LocalFree(split);
    return std::fputws(text.c_str(), stdout) >= 0 ? 0 : 1;
}
