#include "pathname/clsLngSht.h"

#include "pathname/PathShape.h"

namespace twinpath {

void clsLngSht::pInFileName(const std::wstring& strInFileName) {
    strPathName = fs_.attributes(strInFileName) ? strInFileName : std::wstring();
}

std::wstring clsLngSht::pLongFileName() const {
    return strPathName.empty() ? std::wstring() : GetLongName(strPathName);
}

std::wstring clsLngSht::pShortFileName() const {
    return strPathName.empty() ? std::wstring() : GetShortName(strPathName);
}

std::wstring clsLngSht::GetShortName(const std::wstring& path) const { return fs_.shortPath(path); }

std::wstring clsLngSht::GetLongName(const std::wstring& path) const {
    const PathHead head = splitHead(path);
    // Relative paths, "X:name" and paths with "/" have no head to keep, so
    // there is no sound long form to build for them.
    if (head.kind == PathHead::Kind::None) return {};

    const std::wstring headText = path.substr(0, head.length);
    const std::wstring rest = path.substr(head.length);
    if (rest.empty()) return headText;

    std::vector<std::wstring> items;
    std::size_t start = 0;
    for (;;) {
        const auto cut = rest.find(L'\\', start);
        items.push_back(rest.substr(start, cut - start));
        if (cut == std::wstring::npos) break;
        start = cut + 1;
    }

    std::wstring result = headText;
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
        // Each lookup goes by the typed items, never by the names found so far.
        result += storedName(headText + JoinItems(items, L"\\", 0, i), items[i]);
        result += L'\\';
    }
    result.pop_back();
    return result;
}

std::wstring clsLngSht::JoinItems(const std::vector<std::wstring>& items, const std::wstring& separator,
                                  int first, int last) {
    std::wstring joined;
    for (int k = first; k <= last; ++k) {
        joined += items[k];
        joined += separator;
    }
    if (!joined.empty()) joined.pop_back();
    return joined;
}

std::wstring clsLngSht::storedName(const std::wstring& lookupPath, const std::wstring& typedItem) const {
    // An empty item (doubled or trailing "\"), "." or ".." and wildcards name
    // no entry of their own: a lookup would report some other entry's name.
    if (typedItem.empty() || isRelativeStep(typedItem) || typedItem.find_first_of(L"*?") != std::wstring::npos)
        return typedItem;
    const auto search = fs_.search(lookupPath);
    FindEntry entry;
    if (!search || !search->next(entry) || entry.name.empty()) return typedItem;
    return entry.name;
}

}  // namespace twinpath
