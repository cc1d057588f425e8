#include "cli/win32/StandardStreams.h"

#include <algorithm>
#include <string>
#include <utility>

#include "cli/win32/PathSources.h"
#include "win32/LongPath.h"

namespace twinpath::cli::win32 {

namespace {

// Text is written once this much has gathered.
constexpr std::size_t kPieceLength = 32 * 1024;

bool isConsole(HANDLE handle) {
    DWORD mode = 0;
    return ::GetConsoleMode(handle, &mode) != FALSE;
}

bool isHighSurrogate(wchar_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

UINT codePageOf(OutputEncoding encoding) {
    if (encoding == OutputEncoding::Ansi) return CP_ACP;
    if (encoding == OutputEncoding::Oem) return CP_OEMCP;
    return CP_UTF8;
}

}  // namespace

OutputStream::OutputStream(DWORD standardHandle)
    : handle_(::GetStdHandle(standardHandle)), console_(isConsole(handle_)) {}

bool OutputStream::write(std::wstring_view text) {
    pending_.append(text);
    if (pending_.size() < kPieceLength) return !broken_;
    // A character in two halves is written whole with the next piece.
    const bool split = isHighSurrogate(pending_.back());
    const bool written = writeOut(std::wstring_view(pending_).substr(0, pending_.size() - (split ? 1 : 0)));
    pending_.erase(0, pending_.size() - (split ? 1 : 0));
    return written;
}

bool OutputStream::flush() {
    const bool written = writeOut(pending_);
    pending_.clear();
    return written;
}

bool OutputStream::writeOut(std::wstring_view text) {
    if (broken_ || text.empty()) return !broken_;
    if (console_) {
        // Consoles take large writes badly on some systems: a piece at a time.
        for (std::size_t at = 0; at < text.size() && !broken_;) {
            DWORD written = 0;
            const auto length = static_cast<DWORD>(std::min<std::size_t>(text.size() - at, 8192));
            broken_ = !::WriteConsoleW(handle_, text.data() + at, length, &written, nullptr) || written == 0;
            at += written;
        }
        return !broken_;
    }
    if (encoding_ == OutputEncoding::Utf16) {
        if (!std::exchange(started_, true) && !writeBytes("\xFF\xFE", 2)) return false;
        return writeBytes(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    }
    const UINT codePage = codePageOf(encoding_);
    const auto length = static_cast<int>(text.size());
    const int size = ::WideCharToMultiByte(codePage, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(std::max(size, 0)), '\0');
    broken_ = size <= 0 ||
              ::WideCharToMultiByte(codePage, 0, text.data(), length, bytes.data(), size, nullptr, nullptr) != size;
    return !broken_ && writeBytes(bytes.data(), bytes.size());
}

bool OutputStream::writeBytes(const char* bytes, std::size_t size) {
    while (size > 0 && !broken_) {
        DWORD written = 0;
        const auto piece = static_cast<DWORD>(std::min<std::size_t>(size, 1 << 20));
        broken_ = !::WriteFile(handle_, bytes, piece, &written, nullptr) || written == 0;
        bytes += written;
        size -= written;
    }
    return !broken_;
}

StandardStreams::StandardStreams() : out_(STD_OUTPUT_HANDLE), error_(STD_ERROR_HANDLE) {}

void StandardStreams::setEncoding(OutputEncoding encoding) {
    out_.setEncoding(encoding);
    error_.setEncoding(encoding);
}

void StandardStreams::writeError(std::wstring_view text) {
    // What went to standard output before the message shows before it.
    out_.flush();
    error_.write(text);
    error_.flush();
}

std::wstring StandardStreams::fullPath(const std::wstring& path) { return twinpath::win32::fullPathOf(path); }

std::unique_ptr<ByteSource> StandardStreams::openPaths(const std::wstring& file, std::wstring& failure) {
    return file == L"-" ? openStandardInput() : openFile(file, failure);
}

}  // namespace twinpath::cli::win32
