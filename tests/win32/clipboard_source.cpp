// Copies files as another program does: puts the file list named on its
// command line ("C:\a|C:\b") on the clipboard with a text beside it, then
// stays, as the clipboard's owner, until it is ended.
#include <windows.h>

#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "win32/Handles.h"

using namespace twinpath::win32;

UniqueGlobal globalCopy(const void* bytes, std::size_t size) {
    UniqueGlobal memory(::GlobalAlloc(GMEM_MOVEABLE, size));
    const GlobalLockGuard lock(memory.get());
    if (lock.data()) std::memcpy(lock.data(), bytes, size);
    return memory;
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR names, int) {
    const DROPFILES header{sizeof(DROPFILES), {}, FALSE, TRUE};
    std::wstring block(sizeof header / sizeof(wchar_t), L'\0');
    std::memcpy(block.data(), &header, sizeof header);
    block += names + std::wstring(2, L'\0');
    std::replace(block.begin() + sizeof header / sizeof(wchar_t), block.end(), L'|', L'\0');
    const std::wstring text = L"C:\\not the text.txt";
    const HWND owner = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    if (!::OpenClipboard(owner) || !::EmptyClipboard()) return 1;
    ::SetClipboardData(CF_UNICODETEXT, globalCopy(text.c_str(), (text.size() + 1) * sizeof(wchar_t)).release());
    ::SetClipboardData(CF_HDROP, globalCopy(block.data(), block.size() * sizeof(wchar_t)).release());
    ::CloseClipboard();
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) ::DispatchMessageW(&message);
    return 0;
}
