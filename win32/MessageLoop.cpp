#include "win32/MessageLoop.h"

namespace twinpath::win32 {

namespace {

void dispatch(MSG& message, const MessageFilter& filter) {
    if (filter && filter(message)) return;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
}

}  // namespace

int runMessageLoop(const MessageFilter& filter, const std::function<void()>& onIdle) {
    MSG message{};
    for (;;) {
        if (onIdle && !::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) onIdle();
        if (::GetMessageW(&message, nullptr, 0, 0) <= 0) break;
        dispatch(message, filter);
    }
    return static_cast<int>(message.wParam);
}

void handleWaitingMessages(const MessageFilter& filter) {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        dispatch(message, filter);
    }
}

}  // namespace twinpath::win32
