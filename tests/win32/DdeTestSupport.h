#pragma once

#include <windows.h>

#include <cstddef>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/DdeHandles.h"
#include "platform/win32/DdeNames.h"

namespace twinpath::wine {

// The program's DDE server on a thread of its own that pumps messages, as the
// window's thread does. Records every poke that reaches the handler.
class ServerThread {
public:
    ServerThread();
    ~ServerThread();
    ServerThread(const ServerThread&) = delete;
    ServerThread& operator=(const ServerThread&) = delete;

    bool started() const { return started_; }
    std::vector<std::wstring> pokes() const;

private:
    mutable std::mutex mutex_;
    std::vector<std::wstring> pokes_;
    DWORD threadId_ = 0;
    bool started_ = false;
    std::thread thread_;
};

// A peer that pokes whatever it is told, as a careless or hostile one might.
class RawClient {
public:
    explicit RawClient(const wchar_t* topic = win32::kDdeTopic);

    bool connected() const { return conversation_ != nullptr; }
    // True when the server acknowledged the poke.
    bool poke(const wchar_t* item, UINT format, const void* bytes, std::size_t size);

private:
    win32::UniqueDdeInstance instance_;
    win32::UniqueDdeString service_;
    win32::UniqueDdeString topic_;
    win32::UniqueDdeConversation conversation_;
};

inline constexpr DWORD kHelperHung = 0xDEAD;

// Runs dde_poke_helper (a second start in miniature) with `text` for its
// command line and returns its exit code: 0 when the running copy took the
// text, 1 when not, kHelperHung when it had to be stopped.
DWORD runPokeHelper(const std::wstring& text);

}  // namespace twinpath::wine
