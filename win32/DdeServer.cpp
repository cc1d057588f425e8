#include "win32/DdeServer.h"

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

#include "win32/DdeNames.h"
#include "win32/PokedText.h"

namespace twinpath::win32 {

namespace {

thread_local DdeServer* activeServer = nullptr;

HDDEDATA pokeAnswer(bool accepted) {
    return reinterpret_cast<HDDEDATA>(static_cast<ULONG_PTR>(accepted ? DDE_FACK : DDE_FNOTPROCESSED));
}

bool sameName(HSZ a, const UniqueDdeString& b) { return b && ::DdeCmpStringHandles(a, b.get()) == 0; }

// Copies out at most kPokeBytesToRead bytes; the handle stays DDEML's.
std::vector<std::byte> readPoke(HDDEDATA data) {
    const DWORD size = ::DdeGetData(data, nullptr, 0, 0);
    std::vector<std::byte> bytes(std::min<std::size_t>(size, kPokeBytesToRead));
    if (bytes.empty()) return bytes;
    const DWORD copied =
        ::DdeGetData(data, reinterpret_cast<LPBYTE>(bytes.data()), static_cast<DWORD>(bytes.size()), 0);
    bytes.resize(std::min<std::size_t>(copied, bytes.size()));
    return bytes;
}

}  // namespace

void DdeServer::ActiveSlotRelease::operator()(DdeServer* server) const noexcept {
    if (activeServer == server) activeServer = nullptr;
}

DdeServer::DdeServer(PokeHandler onPoke) : onPoke_(std::move(onPoke)) {}

DdeServer::~DdeServer() = default;

bool DdeServer::start() {
    if (session_) return true;
    session_.emplace();
    if (open(*session_)) return true;
    session_.reset();
    return false;
}

bool DdeServer::open(Session& session) {
    if (activeServer) return false;
    activeServer = this;
    session.slot.reset(this);

    // FILTERINITS keeps connection attempts away until the name is registered.
    session.instance =
        initializeDde(&DdeServer::callback, APPCLASS_STANDARD | APPCMD_FILTERINITS | CBF_FAIL_ADVISES |
                                                CBF_FAIL_REQUESTS | CBF_FAIL_EXECUTES | CBF_SKIP_ALLNOTIFICATIONS);
    if (!session.instance) return false;
    const DWORD id = session.instance.get().value;
    session.service = makeDdeString(id, kDdeService);
    session.topic = makeDdeString(id, kDdeTopic);
    session.item = makeDdeString(id, kDdeItem);
    if (!session.service || !session.topic || !session.item) return false;
    if (!::DdeNameService(id, session.service.get(), nullptr, DNS_REGISTER)) return false;
    session.registration = UniqueDdeNameService(session.service.get(), DdeNameUnregisterer{id});
    return true;
}

bool DdeServer::acceptsConnection(HSZ topic, HSZ service) const {
    return session_ && sameName(topic, session_->topic) && sameName(service, session_->service);
}

bool DdeServer::acceptPoke(UINT format, HSZ topic, HSZ item, HDDEDATA data) {
    if (!session_ || !data || !sameName(topic, session_->topic) || !sameName(item, session_->item)) return false;
    const std::vector<std::byte> bytes = readPoke(data);
    const std::optional<std::wstring> text = textFromPoke(format, bytes);
    if (!text) return false;
    if (onPoke_) onPoke_(*text);
    return true;
}

HDDEDATA CALLBACK DdeServer::callback(UINT type, UINT format, HCONV, HSZ topic, HSZ other, HDDEDATA data, ULONG_PTR,
                                      ULONG_PTR) noexcept {
    DdeServer* server = activeServer;
    if (!server) return nullptr;
    // No exception may unwind into DDEML: a failing handler refuses the poke.
    try {
        switch (type) {
            case XTYP_CONNECT:
                return reinterpret_cast<HDDEDATA>(
                    static_cast<ULONG_PTR>(server->acceptsConnection(topic, other) ? TRUE : FALSE));
            case XTYP_POKE:
                return pokeAnswer(server->acceptPoke(format, topic, other, data));
            default:
                return nullptr;
        }
    } catch (...) {
        return type == XTYP_POKE ? pokeAnswer(false) : nullptr;
    }
}

}  // namespace twinpath::win32
