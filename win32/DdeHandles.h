#pragma once

#include <windows.h>

#include <ddeml.h>

#include <cstddef>
#include <memory>
#include <type_traits>

namespace twinpath::win32 {

// Move-only owners for what DDEML hands out. DDEML ties an instance to the
// thread that initialised it: every owner here must be released on that thread.

// DDEML names an instance by a DWORD; this wrapper lets std::unique_ptr hold one.
struct DdeInstanceId {
    DWORD value = 0;

    DdeInstanceId() = default;
    DdeInstanceId(std::nullptr_t) {}
    explicit DdeInstanceId(DWORD id) : value(id) {}
    explicit operator bool() const { return value != 0; }
    friend bool operator==(DdeInstanceId, DdeInstanceId) = default;
    friend bool operator==(DdeInstanceId id, std::nullptr_t) { return id.value == 0; }
};

struct DdeUninitializer {
    using pointer = DdeInstanceId;
    void operator()(DdeInstanceId id) const noexcept {
        if (id) ::DdeUninitialize(id.value);
    }
};
using UniqueDdeInstance = std::unique_ptr<DdeInstanceId, DdeUninitializer>;

// Initialises DDEML for the calling thread; empty on failure.
inline UniqueDdeInstance initializeDde(PFNCALLBACK callback, DWORD flags) {
    DWORD id = 0;
    if (::DdeInitializeW(&id, callback, flags, 0) != DMLERR_NO_ERROR) return {};
    return UniqueDdeInstance(DdeInstanceId(id));
}

struct DdeStringFreer {
    using pointer = HSZ;
    DWORD instance = 0;
    void operator()(HSZ text) const noexcept {
        if (text) ::DdeFreeStringHandle(instance, text);
    }
};
using UniqueDdeString = std::unique_ptr<std::remove_pointer_t<HSZ>, DdeStringFreer>;

inline UniqueDdeString makeDdeString(DWORD instance, const wchar_t* text) {
    return UniqueDdeString(::DdeCreateStringHandleW(instance, text, CP_WINUNICODE), DdeStringFreer{instance});
}

// A registered service name; holds the string without owning it, so it must
// go before the string's own owner does.
struct DdeNameUnregisterer {
    using pointer = HSZ;
    DWORD instance = 0;
    void operator()(HSZ service) const noexcept {
        if (service) ::DdeNameService(instance, service, nullptr, DNS_UNREGISTER);
    }
};
using UniqueDdeNameService = std::unique_ptr<std::remove_pointer_t<HSZ>, DdeNameUnregisterer>;

struct DdeDisconnecter {
    using pointer = HCONV;
    void operator()(HCONV conversation) const noexcept {
        if (conversation) ::DdeDisconnect(conversation);
    }
};
using UniqueDdeConversation = std::unique_ptr<std::remove_pointer_t<HCONV>, DdeDisconnecter>;

}  // namespace twinpath::win32
