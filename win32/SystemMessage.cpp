#include "win32/SystemMessage.h"

#include <iterator>

namespace twinpath::win32 {

std::wstring systemMessage(DWORD error) {
    wchar_t text[512];
    const DWORD length = ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                          text, static_cast<DWORD>(std::size(text)), nullptr);
    std::wstring message(text, length);
    // The system ends its texts with a line break.
    while (!message.empty() && (message.back() == L'\r' || message.back() == L'\n' || message.back() == L' '))
        message.pop_back();
    return message.empty() ? L"error " + std::to_wstring(error) : message;
}

}  // namespace twinpath::win32
