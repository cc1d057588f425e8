#include "app/Selection.h"

#include <algorithm>

namespace twinpath {

std::size_t Selection::takenCount() const {
    return static_cast<std::size_t>(std::count_if(items.begin(), items.end(), [](auto& item) { return item.taken(); }));
}

const SelectionItem* Selection::shown() const {
    const auto first = std::find_if(items.begin(), items.end(), [](auto& item) { return item.taken(); });
    return first == items.end() ? nullptr : &*first;
}

std::vector<std::wstring> Selection::takenPaths() const {
    std::vector<std::wstring> paths;
    for (const SelectionItem& item : items)
        if (item.taken()) paths.push_back(item.path);
    return paths;
}

Selection selectionOf(const std::vector<std::wstring>& paths,
                      const std::function<std::wstring(const std::wstring& path)>& whyUnreadable,
                      SelectionProgress& progress) {
    Selection selection;
    selection.items.reserve(paths.size());
    for (const std::wstring& path : paths) {
        if (progress.stop.load(std::memory_order_relaxed)) break;
        selection.items.push_back({path, whyUnreadable(path)});
        progress.read.store(selection.items.size(), std::memory_order_relaxed);
    }
    return selection;
}

bool goesOnOneLine(PathForm form) { return form == PathForm::CommandLine || form == PathForm::BatchFile; }

FormedPath joinedForms(PathForm form, const std::vector<ItemForm>& forms) {
    const auto failed = std::find_if(forms.begin(), forms.end(), [](auto& item) { return !item.form.made(); });
    if (failed != forms.end()) return {L"", failed->form.whyNot + L" (" + failed->path + L")", L""};
    const std::wstring between = goesOnOneLine(form) ? L" " : L"\r\n";
    std::size_t length = 0;
    for (const ItemForm& item : forms) length += item.form.text.size() + between.size();
    std::wstring joined;
    joined.reserve(length);
    for (const ItemForm& item : forms) {
        if (&item != &forms.front()) joined += between;
        joined += item.form.text;
    }
    return {joined, L"", L""};
}

}  // namespace twinpath
