#pragma once

#include <string>

namespace twinpath {

// The text after the program's own name in a full command line, without the
// blanks that separate it from the name.
std::wstring argumentsOf(const std::wstring& commandLine);

}  // namespace twinpath
