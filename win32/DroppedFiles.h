#pragma once

#include <windows.h>

#include <ole2.h>
#include <shellapi.h>

#include <optional>
#include <string>

namespace twinpath::win32 {

// The first path of a dropped file list, whole whatever its length; nothing
// when there is no list, the list is empty or the block is malformed.
std::optional<std::wstring> firstDroppedPath(HDROP drop);

// The same, read from a data object's CF_HDROP in global memory.
std::optional<std::wstring> firstDroppedPath(IDataObject* data);

}  // namespace twinpath::win32
