#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ports/FileSystem.h"

namespace twinpath {

// True for a name that is a valid 8.3 name as it stands, which needs no
// separate alias: 1-8 characters, optionally a dot and 1-3 more, each an
// ASCII letter or digit or one of $ % ' - _ @ ~ ` ! ( ) { } ^ # &.
//
// Case does not count: NTFS makes no alias for "readme.txt" or "ReadMe.txt",
// and every lookup ignores case, so such a name serves 8.3 programs as it is
// (FAT records a mixed-case name's capitals as an alias, which is then
// there). Blanks, a second dot and any other character need an alias. So do
// characters beyond ASCII: whether they fit depends on the OEM code page the
// item was made under, which no longer shows.
bool fitsEightDotThree(std::wstring_view name);

// An item of a long form that has no 8.3 alias although its name does not fit
// 8.3, and the cause as far as the system tells it.
struct MissingShortName {
    std::wstring item;
    std::wstring cause;
};

// Those items of `longForm`, in the order of the path; none when every such
// item has an alias, or when it cannot be read.
std::vector<MissingShortName> missingShortNames(FileSystem& fileSystem, const std::wstring& longForm);

// Why items of the long form have no short name although their names do not
// fit 8.3: each such item named, with the cause the system tells, one line per
// cause: the file system keeps none, the volume does not make them now, the
// volume makes them (so the item came without one), or unknown, with what
// could not be read. Empty when every such item has one, or when it cannot be read.
std::wstring shortNameHint(FileSystem& fileSystem, const std::wstring& longForm);

}  // namespace twinpath
