#include "paths/PathConverter.h"

#include "paths/PathShape.h"

namespace twinpath {

namespace {

std::vector<std::wstring> itemsOf(const std::wstring& rest) {
    std::vector<std::wstring> items;
    std::size_t start = 0;
    for (;;) {
        const auto cut = rest.find(L'\\', start);
        items.push_back(rest.substr(start, cut - start));
        if (cut == std::wstring::npos) return items;
        start = cut + 1;
    }
}

}  // namespace

void PathConverter::setInput(const std::wstring& path) {
    input_ = fileSystem_.attributes(path) ? path : std::wstring();
}

std::wstring PathConverter::shortForm(std::wstring& failure) const {
    return input_.empty() ? std::wstring() : fileSystem_.shortPath(input_, failure);
}

std::wstring PathConverter::shortForm() const {
    std::wstring failure;
    return shortForm(failure);
}

std::wstring PathConverter::longForm() const {
    if (input_.empty()) return {};
    const PathShape shape = shapeOf(input_);
    // Relative paths, "X:name" and paths with "/" have no root to keep, so
    // there is no sound long form to build for them.
    if (!shape.hasRoot()) return {};

    const std::wstring headText = input_.substr(0, shape.rootLength);
    const std::wstring rest = input_.substr(shape.rootLength);
    if (rest.empty()) return headText;

    // Each lookup goes by the typed items, never by the names found so far.
    std::wstring typedPath = headText;
    std::wstring result = headText;
    bool first = true;
    for (const std::wstring& item : itemsOf(rest)) {
        if (!first) typedPath += L'\\';
        first = false;
        typedPath += item;
        result += storedName(typedPath, item);
        result += L'\\';
    }
    result.pop_back();
    return result;
}

std::wstring PathConverter::storedName(const std::wstring& lookupPath, const std::wstring& typedItem) const {
    // An empty item (doubled or trailing "\"), "." or ".." and wildcards name
    // no entry of their own: a lookup would report some other entry's name.
    if (typedItem.empty() || isRelativeStep(typedItem) || typedItem.find_first_of(L"*?") != std::wstring::npos)
        return typedItem;
    const auto search = fileSystem_.search(lookupPath);
    FindEntry entry;
    if (!search || !search->next(entry) || entry.name.empty()) return typedItem;
    return entry.name;
}

}  // namespace twinpath
