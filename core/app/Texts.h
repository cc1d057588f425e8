#pragma once

namespace twinpath::texts {

// The window's own texts.
inline constexpr wchar_t kPrompt[] = L"ファイルをドロップしてください";
inline constexpr wchar_t kCaption[] = L"Twinpath  < Drag&Drop or Command Line >";
inline constexpr wchar_t kVersionPrefix[] = L"  Ver.";
inline constexpr wchar_t kListCopyMenu[] = L"List Copy";
inline constexpr wchar_t kModeNamesOnly[] = L"File Name Only";
inline constexpr wchar_t kModeSizeAndDate[] = L"... and Size,Day";
inline constexpr wchar_t kModeTabSeparated[] = L"Tab-Separated";
// Shown in the short-form field when a command could not be carried out.
inline constexpr wchar_t kCannotList[] = L"Cannot list ";
inline constexpr wchar_t kOutOfMemory[] = L"not enough memory.";
inline constexpr wchar_t kClipboardBusy[] = L"Another program holds the clipboard: nothing was copied.";

}  // namespace twinpath::texts
