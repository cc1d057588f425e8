#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace twinpath::win32 {

// What the clipboard offers to paste as items: the paths of its file list
// (CF_HDROP, which Explorer's Copy puts there), or when it has none, its text
// with a path on each line. The clipboard is only read, opened as
// ClipboardSession says for `owner`; nothing when another program held it.
std::optional<std::vector<std::wstring>> clipboardItems(HWND owner);

}  // namespace twinpath::win32
