#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/FormsRead.h"
#include "app/Selection.h"
#include "ports/FileSystem.h"

namespace twinpath {

// What reading the items of a start, a hand-off, a drop or a paste gives: the
// selection, and the forms of its first item that can be read.
struct ReadSelection {
    Selection selection;
    ReadForms forms;
};

// The items to read, found with the file system where a text must first be
// tried whole (a command line's arguments).
using ItemsOf = std::function<std::vector<std::wstring>(FileSystem& fileSystem)>;

// Reads which items can be read and the forms of the first that can; may wait
// on a slow share. `progress` counts the items read and its stop flag ends
// the reading between items.
ReadSelection readSelection(FileSystem& fileSystem, const ItemsOf& itemsOf, SelectionProgress& progress);

}  // namespace twinpath
