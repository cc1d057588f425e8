#include "win32/DdeClient.h"

#include <windows.h>

#include <ddeml.h>

#include <algorithm>
#include <limits>

#include "win32/DdeHandles.h"
#include "win32/DdeNames.h"

namespace twinpath::win32 {

namespace {

// How long the running copy may take over one poke before the hand-off counts
// as lost: its handler runs inside the transaction.
constexpr DWORD kPokeTimeoutMs = 5000;
constexpr DWORD kRetryPauseMs = 100;

HDDEDATA CALLBACK ignoreEverything(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) noexcept {
    return nullptr;
}

UniqueDdeConversation connectWithin(DWORD instance, HSZ service, HSZ topic, std::chrono::milliseconds patience) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    for (;;) {
        UniqueDdeConversation conversation(::DdeConnect(instance, service, topic, nullptr));
        if (conversation) return conversation;
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return {};
        ::Sleep(static_cast<DWORD>(std::min<long long>(left.count(), kRetryPauseMs)));
    }
}

// Windows lets a process take the foreground only when the user's last input
// went to it, or when the process that got that input allows it: this copy got
// the input (the user started it), so it passes the right on to the server's.
void allowPartnerToTakeForeground(HCONV conversation) {
    CONVINFO info{};
    info.cb = sizeof(info);
    if (::DdeQueryConvInfo(conversation, QID_SYNC, &info) && info.hwndPartner) {
        DWORD process = 0;
        ::GetWindowThreadProcessId(info.hwndPartner, &process);
        if (process != 0 && ::AllowSetForegroundWindow(process)) return;
    }
    ::AllowSetForegroundWindow(ASFW_ANY);
}

}  // namespace

bool pokeRunningCopy(const std::wstring& text, std::chrono::milliseconds patience) {
    if (text.size() >= std::numeric_limits<DWORD>::max() / sizeof(wchar_t)) return false;
    const UniqueDdeInstance instance = initializeDde(&ignoreEverything, APPCMD_CLIENTONLY);
    if (!instance) return false;
    const DWORD id = instance.get().value;
    const UniqueDdeString service = makeDdeString(id, kDdeService);
    const UniqueDdeString topic = makeDdeString(id, kDdeTopic);
    const UniqueDdeString item = makeDdeString(id, kDdeItem);
    if (!service || !topic || !item) return false;

    const UniqueDdeConversation conversation = connectWithin(id, service.get(), topic.get(), patience);
    if (!conversation) return false;
    allowPartnerToTakeForeground(conversation.get());

    // DDEML only reads the bytes; the cast is for its non-const parameter.
    auto* bytes = reinterpret_cast<LPBYTE>(const_cast<wchar_t*>(text.c_str()));
    const auto size = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    DWORD status = 0;
    const HDDEDATA done = ::DdeClientTransaction(bytes, size, conversation.get(), item.get(), CF_UNICODETEXT, XTYP_POKE,
                                                 kPokeTimeoutMs, &status);
    // Some DDEML versions report a refused poke as done: the status says.
    return done && (LOWORD(status) & DDE_FACK);
}

}  // namespace twinpath::win32
