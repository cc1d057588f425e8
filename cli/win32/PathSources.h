#pragma once

#include <memory>
#include <string>

#include "cli/Console.h"

namespace twinpath::cli::win32 {

// Standard input: a file or a pipe as bytes; a console as the text typed,
// which ends with a line that begins with Ctrl+Z.
std::unique_ptr<ByteSource> openStandardInput();

// A file opened for reading only; nothing when it cannot be opened, with the
// system's message in `failure`.
std::unique_ptr<ByteSource> openFile(const std::wstring& file, std::wstring& failure);

}  // namespace twinpath::cli::win32
