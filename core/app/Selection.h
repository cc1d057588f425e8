#pragma once

// The items that one start, drop or paste gave the window, and every item's
// form out of it.
#include <atomic>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "paths/PathForms.h"

namespace twinpath {

struct SelectionItem {
    std::wstring path;
    // Why the item cannot be read, in the system's words; empty for an item
    // that was taken.
    std::wstring failure;

    bool taken() const { return failure.empty(); }
};

// Every item given, in its order, those that cannot be read included: they
// are left out of what the window shows and copies, but it tells of them.
struct Selection {
    std::vector<SelectionItem> items;

    std::size_t takenCount() const;
    // The first item taken, which the window shows as a single path; null
    // when none could be read.
    const SelectionItem* shown() const;
    std::vector<std::wstring> takenPaths() const;
};

// What reading many items off the window's thread shares with the window.
struct SelectionProgress {
    // How many items there are to read, once they are known.
    std::atomic<std::size_t> total{0};
    std::atomic<std::size_t> read{0};
    // Set by the window when the items are no longer wanted.
    std::atomic<bool> stop{false};
};

// Reads whether each path can be read: `whyUnreadable` gives the system's
// message, or nothing for a path that can. A stop leaves out the items not
// read by then.
Selection selectionOf(const std::vector<std::wstring>& paths,
                      const std::function<std::wstring(const std::wstring& path)>& whyUnreadable,
                      SelectionProgress& progress);

// One item's form, or why it cannot be made.
struct ItemForm {
    std::wstring path;
    FormedPath form;
};

// True for the forms that go after a command, all items on one line.
bool goesOnOneLine(PathForm form);

// Every item's form for the clipboard: one a line, CR LF between them and
// none after the last, or on one line separated by single blanks for the
// forms that go after a command. When some item has no such form, nothing:
// the reason names the first such item.
FormedPath joinedForms(PathForm form, const std::vector<ItemForm>& forms);

}  // namespace twinpath
