#pragma once

#include <string>

namespace twinpath {

// The text after the program's own name in a full command line, without the
// blanks that separate it from the name.
std::wstring argumentsOf(const std::wstring& commandLine);

// The input path in an argument text. Shells pass a path with blanks in
// double quotes, and "Send To" passes several such paths: a text that begins
// with a quote yields its first quoted argument, any other text is the path
// as it stands. Leading blanks are not part of it.
std::wstring inputPathOf(const std::wstring& arguments);

}  // namespace twinpath
