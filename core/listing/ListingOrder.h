#pragma once

#include "listing/FolderLister.h"
#include "ports/TextServices.h"

namespace twinpath {

// Puts a listing's entries in order: folders before files; within a kind by
// name, case ignored, in the platform's collation, which puts a name before a
// longer name that begins with it; entries whose names compare equal by
// their sizes, then dates and times, as text under the same comparison. Each name's sort key is made once and the keys
// are compared as bytes, which orders exactly as comparing the names does, at a fraction of the cost.
void sortListing(FolderListing& listing, TextServices& text);

}  // namespace twinpath
