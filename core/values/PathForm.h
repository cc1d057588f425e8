#pragma once

#include <cstddef>
#include <string>

namespace twinpath {

// The forms a shown path can be copied in, in the order the Copy buttons'
// menus offer them.
enum class PathForm {
    AsShown,             // the field's text as it is
    CommandLine,         // in double quotes where cmd needs them
    BatchFile,           // the same with each "%" doubled, as a batch file reads it
    Quoted,              // always in double quotes
    ForwardSlashes,      // C:/Program Files/App
    Wsl,                 // /mnt/c/Program Files/App
    FileUri,             // file:///C:/Program%20Files/App
    Network,             // \\server\share\App for a path on a mapped network drive
    Name,                // the last level
    Parent,              // the folder that holds the last level
    ShortFolderLongName  // the parent folder's short form and the last level's long name
};
inline constexpr std::size_t kPathFormCount = 11;
static_assert(static_cast<std::size_t>(PathForm::ShortFolderLongName) + 1 == kPathFormCount);

// A path in one form, or why that form cannot be made of it.
struct FormedPath {
    std::wstring text;
    // Empty when `text` holds the form; else a reason in small letters, with
    // no full stop, that fits after "Nothing was copied: ".
    std::wstring whyNot;
    // Set when the form is made but may not be taken as it stands: a caution
    // in small letters, with no full stop.
    std::wstring caution;

    bool made() const { return whyNot.empty(); }
};

}  // namespace twinpath
