#pragma once

#include <windows.h>

#include "cli/Console.h"

namespace twinpath::cli::win32 {

// One standard output stream. A console gets the text itself; a file or a
// pipe gets it encoded. Text is gathered and written in large pieces.
class OutputStream {
public:
    explicit OutputStream(DWORD standardHandle);

    void setEncoding(OutputEncoding encoding) { encoding_ = encoding; }
    // False once the stream takes no more.
    bool write(std::wstring_view text);
    bool flush();

private:
    bool writeOut(std::wstring_view text);
    bool writeBytes(const char* bytes, std::size_t size);

    HANDLE handle_;
    bool console_ = false;
    bool started_ = false;
    bool broken_ = false;
    OutputEncoding encoding_ = OutputEncoding::Utf8;
    std::wstring pending_;
};

// The console companion's process: its standard streams, current folder and
// the files it reads paths from.
class StandardStreams final : public Console {
public:
    StandardStreams();

    void setEncoding(OutputEncoding encoding) override;
    bool writeOut(std::wstring_view text) override { return out_.write(text); }
    void writeError(std::wstring_view text) override;
    bool flush() override { return out_.flush(); }
    std::wstring fullPath(const std::wstring& path) override;
    std::unique_ptr<ByteSource> openPaths(const std::wstring& file, std::wstring& failure) override;

private:
    OutputStream out_;
    OutputStream error_;
};

}  // namespace twinpath::cli::win32
