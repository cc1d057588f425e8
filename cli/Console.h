#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "cli/Options.h"

namespace twinpath::cli {

// A stream of bytes that the companion reads its paths from.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Replaces `bytes` with the next bytes read; false at the end, or when
    // reading failed, which failure() then explains.
    virtual bool read(std::string& bytes) = 0;
    virtual std::wstring failure() const = 0;
};

// What the console companion needs of its process: standard output and
// error, the current folder and files to read paths from.
class Console {
public:
    virtual ~Console() = default;

    // The encoding of output that goes to a file or a pipe; a console always
    // gets the text itself.
    virtual void setEncoding(OutputEncoding encoding) = 0;
    // False once standard output takes no more (a closed pipe, a full disk).
    virtual bool writeOut(std::wstring_view text) = 0;
    virtual void writeError(std::wstring_view text) = 0;
    // Writes out what standard output still holds; false when it takes no more.
    virtual bool flush() = 0;

    // The full form of a relative path against the current folder; empty when
    // it has none.
    virtual std::wstring fullPath(const std::wstring& path) = 0;
    // Opens a file for reading, or standard input for "-"; nothing when it
    // cannot be opened, with the system's message in `failure`.
    virtual std::unique_ptr<ByteSource> openPaths(const std::wstring& file, std::wstring& failure) = 0;
};

}  // namespace twinpath::cli
