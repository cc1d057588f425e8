// Prints its arguments one a line in UTF-8, as CommandLineToArgvW splits its
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
    std::string bytes(text.size() * 4, '\0');
    bytes.resize(::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                                       static_cast<int>(bytes.size()), nullptr, nullptr));
    return std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() ? 0 : 1;
}
