#pragma once

#include <string>

namespace twinpath::win32 {

// The full path that the system makes of `path` against the current folder
// (dots resolved, "/" made "\\"); empty when it cannot make one.
std::wstring fullPathOf(const std::wstring& path);

// The form of `path` to hand to a file-system call. Paths near or beyond the
// classic 260-character limit get the "\\?\" prefix, which lifts the limit for
// every call (the manifest's long-path opt-in does not cover them all, among
// them GetShortPathNameW). That prefix turns off normalisation, so the path is
// first made full the way the call itself would have done it.
std::wstring toApiPath(const std::wstring& path);

// Undoes toApiPath on a path that a call returned, so the user never sees the
// prefix: "\\?\C:\x" becomes "C:\x" and "\\?\UNC\server\share" "\\server\share".
// Paths that the user typed with a prefix keep it.
std::wstring fromApiPath(const std::wstring& returned, const std::wstring& typed);

}  // namespace twinpath::win32
