#pragma once

#include <windows.h>

#include <ddeml.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "win32/DdeHandles.h"

namespace twinpath::win32 {

// The running copy's end of the hand-off: answers conversations on the topic
// kDdeTopic of the service kDdeService and passes the text poked to the item
// kDdeItem to `onPoke`.
//
// Threading: construct, start and destroy the server on one thread, and pump
// that thread's messages (GetMessage/DispatchMessage, or any modal loop).
// DDEML delivers every poke through that loop, so `onPoke` runs on that
// thread, inside the poking client's transaction: keep it short, because the
// client stops waiting after a few seconds and then counts the hand-off as lost.
//
// DDEML's callback carries no context but always runs on the thread that
// started the instance, so the server is found through a per-thread slot: one
// server per thread (the program needs one per process; a second start() on
// the same thread fails while the first server lives).
//
// A poke is accepted (and acknowledged) only as CF_UNICODETEXT, or CF_TEXT
// from older clients, of at most kMaxPokeChars characters, cut at its first
// NUL; empty text is text too and is passed on. Anything else is refused
// without reaching `onPoke`.
class DdeServer {
public:
    using PokeHandler = std::function<void(const std::wstring&)>;

    explicit DdeServer(PokeHandler onPoke);
    ~DdeServer();
    DdeServer(const DdeServer&) = delete;
    DdeServer& operator=(const DdeServer&) = delete;

    // Initialises DDEML on the calling thread and registers the service name.
    // False when DDEML refuses or another server runs on this thread.
    bool start();

private:
    struct ActiveSlotRelease {
        void operator()(DdeServer* server) const noexcept;
    };

    // Members go in the reverse order: the slot first, so that no callback
    // reaches a half-destroyed server, and the DDEML instance last.
    struct Session {
        UniqueDdeInstance instance;
        UniqueDdeString service;
        UniqueDdeString topic;
        UniqueDdeString item;
        UniqueDdeNameService registration;
        std::unique_ptr<DdeServer, ActiveSlotRelease> slot;
    };

    static HDDEDATA CALLBACK callback(UINT type, UINT format, HCONV conversation, HSZ topic, HSZ other, HDDEDATA data,
                                      ULONG_PTR, ULONG_PTR) noexcept;
    bool open(Session& session);
    bool acceptsConnection(HSZ topic, HSZ service) const;
    bool acceptPoke(UINT format, HSZ topic, HSZ item, HDDEDATA data);

    PokeHandler onPoke_;
    std::optional<Session> session_;
};

}  // namespace twinpath::win32
