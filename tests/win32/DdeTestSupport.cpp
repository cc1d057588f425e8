#include "tests/win32/DdeTestSupport.h"

#include <future>

#include "platform/win32/DdeServer.h"
#include "platform/win32/Handles.h"

namespace twinpath::wine {

ServerThread::ServerThread() {
    std::promise<bool> ready;
    std::future<bool> result = ready.get_future();
    thread_ = std::thread([this, ready = std::move(ready)]() mutable {
        win32::DdeServer server([this](const std::wstring& text) {
            const std::lock_guard lock(mutex_);
            pokes_.push_back(text);
        });
        MSG message;
        // The queue must exist before the destructor posts WM_QUIT to it.
        ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
        threadId_ = ::GetCurrentThreadId();
        const bool ok = server.start();
        ready.set_value(ok);
        if (!ok) return;
        while (::GetMessageW(&message, nullptr, 0, 0) > 0) ::DispatchMessageW(&message);
    });
    started_ = result.get();
}

ServerThread::~ServerThread() {
    ::PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    thread_.join();
}

std::vector<std::wstring> ServerThread::pokes() const {
    const std::lock_guard lock(mutex_);
    return pokes_;
}

namespace {

HDDEDATA CALLBACK ignoreEverything(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) noexcept {
    return nullptr;
}

}  // namespace

RawClient::RawClient(const wchar_t* topic)
    : instance_(win32::initializeDde(&ignoreEverything, APPCMD_CLIENTONLY)) {
    if (!instance_) return;
    const DWORD id = instance_.get().value;
    service_ = win32::makeDdeString(id, win32::kDdeService);
    topic_ = win32::makeDdeString(id, topic);
    conversation_.reset(::DdeConnect(id, service_.get(), topic_.get(), nullptr));
}

bool RawClient::poke(const wchar_t* item, UINT format, const void* bytes, std::size_t size) {
    if (!conversation_) return false;
    const win32::UniqueDdeString itemName = win32::makeDdeString(instance_.get().value, item);
    DWORD status = 0;
    const HDDEDATA done =
        ::DdeClientTransaction(static_cast<LPBYTE>(const_cast<void*>(bytes)), static_cast<DWORD>(size),
                               conversation_.get(), itemName.get(), format, XTYP_POKE, 10000, &status);
    return done && (LOWORD(status) & DDE_FACK);
}

DWORD runPokeHelper(const std::wstring& text) {
    std::wstring helper(32768, L'\0');
    helper.resize(::GetModuleFileNameW(nullptr, helper.data(), static_cast<DWORD>(helper.size())));
    helper = helper.substr(0, helper.rfind(L'\\') + 1) + L"dde_poke_helper.exe";
    std::wstring commandLine = L"\"" + helper + L"\" " + text;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    if (!::CreateProcessW(helper.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &started))
        return kHelperHung;
    const win32::UniqueHandle process(started.hProcess);
    const win32::UniqueHandle thread(started.hThread);

    // Answers messages while waiting, as a program with windows does: a DDE
    // client looks for its server by asking every window, this thread's too.
    const ULONGLONG limit = ::GetTickCount64() + 30000;
    HANDLE handles[] = {process.get()};
    while (::MsgWaitForMultipleObjects(1, handles, FALSE, 100, QS_ALLINPUT) != WAIT_OBJECT_0) {
        if (::GetTickCount64() > limit) {
            ::TerminateProcess(process.get(), kHelperHung);
            return kHelperHung;
        }
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
    }
    DWORD exitCode = kHelperHung;
    ::GetExitCodeProcess(process.get(), &exitCode);
    return exitCode;
}

}  // namespace twinpath::wine
