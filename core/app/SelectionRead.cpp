#include "app/SelectionRead.h"

namespace twinpath {

ReadSelection readSelection(FileSystem& fileSystem, const ItemsOf& itemsOf, SelectionProgress& progress) {
    ReadSelection read;
    const std::vector<std::wstring> items = itemsOf(fileSystem);
    progress.total.store(items.size(), std::memory_order_relaxed);
    read.selection = selectionOf(
        items, [&fileSystem](const std::wstring& path) { return fileSystem.whyUnreadable(path); }, progress);
    if (progress.stop.load(std::memory_order_relaxed)) return read;
    if (const SelectionItem* shown = read.selection.shown()) read.forms = readForms(fileSystem, shown->path);
    return read;
}

}  // namespace twinpath
