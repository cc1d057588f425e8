#pragma once

// The window's texts about a selection of several items, and the texts made
// of them.
#include <cstddef>
#include <string>

#include "app/Selection.h"

namespace twinpath::texts {

// After the "Long File Name" heading: " (2 items)".
inline constexpr wchar_t kItemsOpen[] = L" (";
inline constexpr wchar_t kItemsClose[] = L" items)";
// The Copy menus' submenu: "All 2 Items".
inline constexpr wchar_t kAllItems[] = L"All ";
inline constexpr wchar_t kAllItemsEnd[] = L" Items";
inline constexpr wchar_t kAllItemEnd[] = L" Item";
// The long field's tip.
inline constexpr wchar_t kItemsTaken[] = L" items taken:";
inline constexpr wchar_t kItemTaken[] = L" item taken:";
inline constexpr wchar_t kItemsUnread[] = L" items could not be read:";
inline constexpr wchar_t kItemUnread[] = L" item could not be read:";
inline constexpr wchar_t kAndMore[] = L"and ";
inline constexpr wchar_t kMore[] = L" more";
inline constexpr wchar_t kPasteTip[] =
    L"Ctrl+V or Shift+Insert takes the files copied in Explorer, or copied text with a path on each line; "
    L"the clipboard is only read.";
inline constexpr std::size_t kTipNamesAtMost = 20;
// In the short-form field when no item can be read.
inline constexpr wchar_t kCannotRead[] = L"Cannot read ";
inline constexpr wchar_t kAndMoreItems[] = L" more items)";
inline constexpr wchar_t kAndMoreItem[] = L" more item)";
inline constexpr wchar_t kAndOpen[] = L" (and ";
// In the short-form field while the forms of many items are read, after
// kReading (Texts.h).
inline constexpr wchar_t kOf[] = L" of ";
inline constexpr wchar_t kItemsInProgress[] = L" items\u2026 (Esc cancels)";
inline constexpr wchar_t kItemInProgress[] = L" item\u2026 (Esc cancels)";
// In the short-form field when the copy of every item was stopped, and why an
// item has no form (after "Nothing was copied: ", before the item's path).
inline constexpr wchar_t kCopyCancelled[] = L"Copying cancelled: nothing was copied.";
inline constexpr wchar_t kItemGone[] = L"it cannot be read any more";
// In the short-form field when Ctrl+V finds the clipboard held, or nothing to take.
inline constexpr wchar_t kClipboardBusyForPaste[] = L"Another program holds the clipboard: nothing was pasted.";
inline constexpr wchar_t kNothingToPaste[] = L"Nothing was pasted: the clipboard holds no files and no text.";

// After the long field's heading while more than one item is taken; empty
// otherwise.
std::wstring itemsHeadingSuffix(std::size_t taken);
// The long field's tip: the items taken and those that could not be read
// with why, each list naming its first 20, when there is more than one item
// taken or any that could not be read; and how to paste.
std::wstring longFieldTip(const Selection& selection);
// The short-form field's text when items were given but none can be read:
// the first one and why, and how many more; empty otherwise.
std::wstring unreadMessage(const Selection& selection);
// The short-form field's text while the forms of many items are read.
std::wstring itemsProgress(std::size_t read, std::size_t total);
// The caption of the Copy menus' submenu for every item.
std::wstring allItemsCaption(std::size_t taken);

}  // namespace twinpath::texts
