#pragma once

#include <windows.h>

#include <functional>

namespace twinpath::win32 {

// Takes a message before it is dispatched (accelerators, dialog keys); true
// when it was handled.
using MessageFilter = std::function<bool(MSG&)>;

// Runs the thread's message loop until WM_QUIT and returns its exit code.
// `onIdle`, when given, runs each time the queue has run empty.
int runMessageLoop(const MessageFilter& filter = {}, const std::function<void()>& onIdle = {});

// Handles every message that is waiting and returns; a WM_QUIT met on the way
// is posted again for the loop that owns the thread.
void handleWaitingMessages(const MessageFilter& filter = {});

}  // namespace twinpath::win32
