// Copies files as another program does: puts the file list named on its
// command line ("C:\a|C:\b") on the clipboard with a text beside it, then
// stays, as the clipboard's owner, until it is ended.
#include "tests/win32/Support.h"

using namespace twinpath::wine;

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR names, int) {
    std::vector<std::wstring> files(1);
    for (const wchar_t* c = names; *c; ++c) *c == L'|' ? files.emplace_back() : files.back() += *c;
    const win32::UniqueWindow owner = plainWindow(0, HWND_MESSAGE);
    if (!::OpenClipboard(owner.get()) || !::EmptyClipboard()) return 1;
    ::SetClipboardData(CF_UNICODETEXT, globalCopy(bytesOf(std::wstring(L"C:\\not the text.txt", 20))).release());
    ::SetClipboardData(CF_HDROP, globalCopy(fileListBytes(files)).release());
    ::CloseClipboard();
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) ::DispatchMessageW(&message);
    return 0;
}
