#pragma once

#include <string>

#include "ports/FileSystem.h"

namespace twinpath::win32 {

// What the system tells about the 8.3 aliases of the volume that holds
// `folder`, read without writing: its file system, whether it is a share or
// the system's volume, its own state, and the system-wide setting.
ShortNameFacts readShortNameFacts(const std::wstring& folder);

}  // namespace twinpath::win32
