#pragma once

#include <string>
#include <vector>

#include "cli/Console.h"
#include "ports/FileSystem.h"
#include "ports/TextServices.h"

namespace twinpath::cli {

// Exit statuses of the console companion.
inline constexpr int kAllFound = 0;
inline constexpr int kSomeFailed = 1;
inline constexpr int kUsageError = 2;

// Runs the console companion on its arguments: for each path, one record
// with its forms as the window shows them, or the listing of its folder as
// the window copies it. Returns the exit status.
int runCompanion(const std::vector<std::wstring>& arguments, const std::wstring& version, FileSystem& fileSystem,
                 TextServices& text, Console& console);

}  // namespace twinpath::cli
