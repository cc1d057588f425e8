#include "bench/WindowListCopy.h"

#include <atomic>
#include <cwchar>
#include <thread>
#include <vector>

#include "bench/BenchSupport.h"
#include "win32/MessageLoop.h"
#include "win32/WindowLibraries.h"

namespace twinpath::bench {

namespace {

constexpr double kLimitSeconds = 60;
constexpr UINT kProbeTimeoutMs = 10'000;
// Wakes the loop now and then, so that a list-copy that never reaches the
// clipboard ends the wait at the limit.
constexpr UINT kWatchdogMs = 250;

// Handles the window's messages until `done` holds: sent ones while waiting,
// posted ones as the program's loop would.
template <typename Condition>
void pumpUntil(const win32::MessageFilter& filter, Condition done) {
    while (!done()) {
        ::MsgWaitForMultipleObjectsEx(0, nullptr, 5, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        win32::handleWaitingMessages(filter);
    }
}

// One message of the probe: when it was sent and when it was answered.
struct Answer {
    double sent;
    double answered;
};

// Sends WM_NULL to the window from a thread of its own, one message at a
// time, and notes when each was sent and answered.
class AnswerProbe {
public:
    AnswerProbe(HWND window, const Stopwatch& clock)
        : thread_([this, window, &clock](const std::stop_token& stop) {
              while (!stop.stop_requested()) {
                  DWORD_PTR result = 0;
                  const double sent = clock.seconds();
                  if (::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kProbeTimeoutMs, &result)) {
                      answers_.push_back({sent, clock.seconds()});
                      answered_.store(answers_.size(), std::memory_order_release);
                  }
                  ::Sleep(kProbePauseMs);
              }
              done_.store(true, std::memory_order_release);
          }) {}
    AnswerProbe(const AnswerProbe&) = delete;
    AnswerProbe& operator=(const AnswerProbe&) = delete;

    bool answered() const { return answered_.load(std::memory_order_acquire) > 0; }

    // Stops the probe, answering its last message meanwhile, and returns its
    // messages.
    std::vector<Answer> finish(const win32::MessageFilter& filter) {
        thread_.request_stop();
        pumpUntil(filter, [this] { return done_.load(std::memory_order_acquire); });
        thread_.join();
        return std::move(answers_);
    }

private:
    // Written by the probe's thread alone, read once it has ended.
    std::vector<Answer> answers_;
    std::atomic<std::size_t> answered_{0};
    std::atomic<bool> done_{false};
    std::jthread thread_;  // last: it ends before the answers go
};

// The clipboard opened for reading the figures, closed on every way out.
class OpenClipboard {
public:
    explicit OpenClipboard(HWND owner) : open_(::OpenClipboard(owner) != FALSE) {}
    ~OpenClipboard() {
        if (open_) ::CloseClipboard();
    }
    OpenClipboard(const OpenClipboard&) = delete;
    OpenClipboard& operator=(const OpenClipboard&) = delete;
    explicit operator bool() const { return open_; }

private:
    bool open_;
};

std::size_t clipboardTextLength(HWND owner) {
    const OpenClipboard clipboard(owner);
    const HANDLE data = clipboard ? ::GetClipboardData(CF_UNICODETEXT) : nullptr;
    const win32::GlobalLockGuard lock(data);
    if (!lock.data()) return 0;
    return ::wcsnlen(static_cast<const wchar_t*>(lock.data()), lock.size() / sizeof(wchar_t));
}

}  // namespace

WindowListCopy::WindowListCopy()
    : window_(::GetModuleHandleW(nullptr), work_),
      controller_(window_, work_, std::make_shared<win32::Win32FileSystem>(),
                  std::make_shared<win32::Win32TextServices>(), process_) {
    window_.attach(controller_);
    win32::windowLibraries::initCommonControls(ICC_STANDARD_CLASSES | ICC_BAR_CLASSES);
    created_ = window_.create();
    if (!created_) return;
    controller_.showStartPath();
    window_.show(SW_SHOWNORMAL);
    window_.showHelp();
    window_.acceptDrops();
}

bool WindowListCopy::open(const std::wstring& folder) {
    if (!created_) return false;
    controller_.openItems({folder});
    window_.awaitWork(kProbeTimeoutMs);
    win32::handleWaitingMessages([this](MSG& message) { return window_.preTranslate(message); });
    return window_.fieldText(NameField::Long) == folder;
}

std::optional<WindowListCopyFigures> WindowListCopy::listCopy(bool probe) {
    const HWND listButton = window_.control(Control::List);
    if (!created_ || !listButton) return std::nullopt;
    const win32::MessageFilter filter = [this](MSG& message) { return window_.preTranslate(message); };
    const Stopwatch clock;
    std::optional<AnswerProbe> prober;
    if (probe) {
        prober.emplace(window_.hwnd(), clock);
        pumpUntil(filter, [&prober] { return prober->answered(); });
    }

    WindowListCopyFigures figures;
    // The slowest message handled: when it began and ended.
    double slowestFrom = 0;
    double slowestTo = 0;
    const auto handled = [&](UINT message, double from) {
        const double took = clock.seconds() - from;
        figures.busySeconds += took;
        if (took > slowestTo - slowestFrom) {
            figures.nextSlowest = figures.longestDispatch;
            figures.nextSlowestMessage = figures.slowestMessage;
            slowestFrom = from;
            slowestTo = from + took;
            figures.longestDispatch = took;
            figures.slowestMessage = message;
        } else if (took > figures.nextSlowest) {
            figures.nextSlowest = took;
            figures.nextSlowestMessage = message;
        }
    };
    const DWORD before = ::GetClipboardSequenceNumber();
    const UINT_PTR watchdog = ::SetTimer(nullptr, 0, kWatchdogMs, nullptr);
    const double clicked = clock.seconds();
    ::SendMessageW(listButton, BM_CLICK, 0, 0);
    handled(BM_CLICK, clicked);
    // The program's own loop, each message timed, until the message that put
    // the report on the clipboard has been handled.
    MSG message{};
    double lastFrom = clicked;
    while (::GetClipboardSequenceNumber() == before && clock.seconds() - clicked < kLimitSeconds) {
        if (::GetMessageW(&message, nullptr, 0, 0) <= 0) {
            ::PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        lastFrom = clock.seconds();
        if (!filter(message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        handled(message.message, lastFrom);
    }
    const double ended = clock.seconds();
    ::KillTimer(nullptr, watchdog);
    if (::GetClipboardSequenceNumber() == before) return std::nullopt;
    figures.seconds = ended - clicked;
    figures.untilResult = lastFrom - clicked;

    if (prober) {
        const std::vector<Answer> answers = prober->finish(filter);
        for (std::size_t i = 0; i < answers.size(); ++i) {
            const Answer& answer = answers[i];
            if (answer.answered <= clicked || answer.sent >= ended) continue;
            ++figures.answers;
            const bool duringSlowest = answer.answered > slowestFrom && answer.sent < slowestTo;
            const double wait = answer.answered - answer.sent;
            figures.longestWait = std::max(figures.longestWait, wait);
            if (!duringSlowest) figures.longestWaitElsewhere = std::max(figures.longestWaitElsewhere, wait);
            if (i == 0) continue;
            const double gap = answer.answered - answers[i - 1].answered;
            figures.longestGap = std::max(figures.longestGap, gap);
            if (answer.answered <= slowestFrom || answers[i - 1].answered >= slowestTo)
                figures.longestGapElsewhere = std::max(figures.longestGapElsewhere, gap);
        }
    }
    figures.characters = clipboardTextLength(window_.hwnd());
    return figures;
}

}  // namespace twinpath::bench
