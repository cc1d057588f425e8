#pragma once

#include <windows.h>

#include <ole2.h>
#include <shellapi.h>

#include <optional>
#include <string>
#include <vector>

namespace twinpath::win32 {

// The first path of a dropped file list, whole whatever its length; nothing
// when there is no list, the list is empty or the block is malformed.
std::optional<std::wstring> firstDroppedPath(HDROP drop);

// The same, read from a data object's CF_HDROP in global memory.
std::optional<std::wstring> firstDroppedPath(IDataObject* data);

// Every path of a dropped file list, in its order: the names that end inside
// the block, up to the empty one that ends the list. Nothing when there is no
// list or its header is malformed.
std::vector<std::wstring> droppedPaths(HDROP drop);
std::vector<std::wstring> droppedPaths(IDataObject* data);

}  // namespace twinpath::win32
