#pragma once

#include <windows.h>

#include <ole2.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace twinpath::win32 {

// Every path of a dropped file list, in its order: the names that end inside
// the block, up to the empty one that ends the list. Nothing when there is no
// list or its header is malformed.
std::vector<std::wstring> droppedPaths(HDROP drop);
std::vector<std::wstring> droppedPaths(IDataObject* data);

}  // namespace twinpath::win32
