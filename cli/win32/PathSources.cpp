#include "cli/win32/PathSources.h"

#include <windows.h>

#include <utility>

#include "win32/Handles.h"
#include "win32/LongPath.h"
#include "win32/SystemMessage.h"

namespace twinpath::cli::win32 {

namespace {

using twinpath::win32::systemMessage;
using twinpath::win32::UniqueHandle;

constexpr DWORD kPieceSize = 64 * 1024;

// Bytes from a file or a pipe. The handle is owned when `owned` holds it.
class HandleSource final : public ByteSource {
public:
    HandleSource(HANDLE handle, UniqueHandle owned) : handle_(handle), owned_(std::move(owned)) {}

    bool read(std::string& bytes) override {
        bytes.resize(kPieceSize);
        DWORD got = 0;
        if (!::ReadFile(handle_, bytes.data(), kPieceSize, &got, nullptr)) {
            const DWORD error = ::GetLastError();
            // A pipe whose writer has ended has simply come to its end.
            if (error != ERROR_BROKEN_PIPE && error != ERROR_HANDLE_EOF) failure_ = systemMessage(error);
            return false;
        }
        bytes.resize(got);
        return got > 0;
    }
    std::wstring failure() const override { return failure_; }

private:
    HANDLE handle_;
    UniqueHandle owned_;
    std::wstring failure_;
};

// Lines typed on the console, handed on as UTF-16 after its byte-order mark.
class ConsoleSource final : public ByteSource {
public:
    explicit ConsoleSource(HANDLE console) : console_(console) {}

    bool read(std::string& bytes) override {
        if (ended_) return false;
        std::wstring text(4096, L'\0');
        DWORD got = 0;
        if (!::ReadConsoleW(console_, text.data(), static_cast<DWORD>(text.size()), &got, nullptr)) {
            failure_ = systemMessage(::GetLastError());
            return false;
        }
        text.resize(got);
        // Ctrl+Z at the start of a line ends the input, as it does for the
        // system's own commands.
        std::size_t end = text.find(L"\n\x1A");
        if (end != std::wstring::npos) ++end;  // the line before keeps its end
        if (atLineStart_ && text.starts_with(L'\x1A')) end = 0;
        if (end != std::wstring::npos) text.resize(end);
        ended_ = got == 0 || end != std::wstring::npos;
        atLineStart_ = text.ends_with(L'\n');
        bytes.assign(std::exchange(started_, true) ? "" : "\xFF\xFE");
        bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
        return true;
    }
    std::wstring failure() const override { return failure_; }

private:
    HANDLE console_;
    bool started_ = false, ended_ = false, atLineStart_ = true;
    std::wstring failure_;
};

}  // namespace

std::unique_ptr<ByteSource> openStandardInput() {
    const HANDLE input = ::GetStdHandle(STD_INPUT_HANDLE);
    DWORD mode = 0;
    if (::GetConsoleMode(input, &mode)) return std::make_unique<ConsoleSource>(input);
    return std::make_unique<HandleSource>(input, nullptr);
}

std::unique_ptr<ByteSource> openFile(const std::wstring& file, std::wstring& failure) {
    // Read access only; others may go on writing or even delete meanwhile.
    const HANDLE opened = ::CreateFileW(twinpath::win32::toApiPath(file).c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (opened == INVALID_HANDLE_VALUE) {
        failure = systemMessage(::GetLastError());
        return nullptr;
    }
    return std::make_unique<HandleSource>(opened, UniqueHandle(opened));
}

}  // namespace twinpath::cli::win32
