#pragma once

#include <iterator>
#include <string>

#include "values/ListMode.h"
#include "values/PathForm.h"

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
inline constexpr wchar_t kNoShortForm[] = L"No short form: ";
inline constexpr wchar_t kClipboardBusy[] = L"Another program holds the clipboard: nothing was copied.";
// Shown in the short-form field while work takes a while, and when it was stopped.
inline constexpr wchar_t kReading[] = L"Reading ";
inline constexpr wchar_t kEllipsis[] = L"\u2026";
inline constexpr wchar_t kListing[] = L"Listing ";
inline constexpr wchar_t kEntries[] = L" entries\u2026 (Esc cancels)";
inline constexpr wchar_t kEntry[] = L" entry\u2026 (Esc cancels)";
inline constexpr wchar_t kListingCancelled[] = L"Listing cancelled: nothing was copied.";
// Said after a whole tree was copied without the contents of some folders.
inline constexpr wchar_t kCopied[] = L"Copied ";
inline constexpr wchar_t kCopiedEntries[] = L" entries; ";
inline constexpr wchar_t kCopiedEntry[] = L" entry; ";
inline constexpr wchar_t kFoldersUnread[] = L" folders could not be read: ";
inline constexpr wchar_t kFolderUnread[] = L" folder could not be read: ";
inline constexpr wchar_t kIncludeSubfolders[] = L"Include Subfolders";

// A count as the window writes it: 12,345.
inline std::wstring withThousands(std::size_t count) {
    std::wstring digits = std::to_wstring(count);
    for (std::size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, 1, L',');
    return digits;
}

// Before why a form of the path cannot be made.
inline constexpr wchar_t kNothingCopied[] = L"Nothing was copied: ";

// After a copy whose form may not be taken as it stands, around its caution.
inline constexpr wchar_t kCopiedBut[] = L"Copied, but ";
inline constexpr wchar_t kUseBatchForm[] = L": in a batch file use Copy for Batch File.";

// The Copy buttons' menu items, one for each PathForm in its order.
inline constexpr const wchar_t* kFormItems[] = {L"Copy",
                                                L"Copy for Command Line",
                                                L"Copy for Batch File",
                                                L"Copy in Quotes",
                                                L"Copy with Forward Slashes",
                                                L"Copy for WSL",
                                                L"Copy as File URI",
                                                L"Copy Network Path",
                                                L"Copy Name",
                                                L"Copy Parent Folder",
                                                L"Copy Short Folder, Long Name"};

static_assert(std::size(kFormItems) == kPathFormCount, "every form has its menu item");

// The buttons' tooltips and, where the caption does not say what a button
// does, the name screen readers say; the list button's tip names the mode.
inline constexpr wchar_t kCopyLongTip[] = L"Copy the long form. Right-click for other forms.";
inline constexpr wchar_t kCopyShortTip[] = L"Copy the short form. Right-click for other forms.";
inline constexpr wchar_t kListTipBefore[] = L"Copy a listing of the folder (now: ";
inline constexpr wchar_t kListTipAfter[] = L"). Right-click to choose the format.";
inline constexpr const wchar_t* kListModeNames[] = {L"Names", L"Names, Size, Date", L"Tab-Separated"};
static_assert(std::size(kListModeNames) == kListModeCount, "every list mode has its name");
inline constexpr wchar_t kUpTip[] = L"Up one folder (Alt+Up)";
inline constexpr wchar_t kDownTip[] = L"Back down towards the opened path (Alt+Down)";
inline constexpr wchar_t kCopyLongName[] = L"Copy long form";
inline constexpr wchar_t kCopyShortName[] = L"Copy short form";
inline constexpr wchar_t kListName[] = L"Copy folder listing";
inline constexpr wchar_t kUpName[] = L"Up one folder";
inline constexpr wchar_t kDownName[] = L"Down one folder";

// The short-form field's tip, and the marker after its heading while there is
// one: which items have no 8.3 alias, and why.
inline constexpr wchar_t kHintMarker[] = L" (?)";
inline constexpr wchar_t kNoShortNameFor[] = L"No short name for ";
inline constexpr wchar_t kKeepsNone[] = L"the file system keeps no short names";
inline constexpr wchar_t kShareOffersNone[] = L"the network share offers no short names";
inline constexpr wchar_t kVolumeMakesNone[] = L"the volume does not make short names now";
inline constexpr wchar_t kVolumeMakesThem[] = L"the volume makes short names now";
inline constexpr wchar_t kCameWithoutOne[] =
    L", so an item without one was made while that was off, or copied without it";
inline constexpr wchar_t kCauseUnknown[] = L"the cause is unknown: could not read ";
inline constexpr wchar_t kFileSystemName[] = L"the volume's file system";
inline constexpr wchar_t kVolumeSetting[] = L"the volume's own setting";
inline constexpr wchar_t kSystemSetting[] = L"NtfsDisable8dot3NameCreation";
// What each value of kSystemSetting means.
inline constexpr const wchar_t* kSystemSettingMeanings[] = {L"on for every volume", L"off for every volume",
                                                            L"set per volume", L"off for all but the system volume"};

}  // namespace twinpath::texts
