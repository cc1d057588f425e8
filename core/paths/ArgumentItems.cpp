#include "paths/ArgumentItems.h"

#include <utility>

#include "paths/PathShape.h"

namespace twinpath {

namespace {

bool isBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

std::wstring withoutOuterBlanks(const std::wstring& text) {
    std::size_t start = 0, end = text.size();
    while (start < end && isBlank(text[start])) ++start;
    while (end > start && isBlank(text[end - 1])) --end;
    return text.substr(start, end - start);
}

}  // namespace

std::vector<std::wstring> splitArguments(const std::wstring& arguments) {
    std::vector<std::wstring> items;
    std::wstring item;
    bool inItem = false, quoted = false;
    std::size_t backslashes = 0;  // in a row, just before the current character
    for (std::size_t at = 0; at < arguments.size(); ++at) {
        const wchar_t c = arguments[at];
        if (isBlank(c) && !quoted) {
            if (inItem) items.push_back(std::exchange(item, {}));
            inItem = false;
            backslashes = 0;
            continue;
        }
        inItem = true;
        if (c != L'"') {
            item += c;
            backslashes = c == L'\\' ? backslashes + 1 : 0;
            continue;
        }
        // The backslashes went in as they came: half of them stay.
        item.resize(item.size() - (backslashes + 1) / 2);
        if (backslashes % 2 == 1) {
            item += L'"';
        } else if (quoted && at + 1 < arguments.size() && arguments[at + 1] == L'"') {
            item += L'"';
            quoted = false;
            ++at;
        } else {
            quoted = !quoted;
        }
        backslashes = 0;
    }
    if (inItem) items.push_back(std::move(item));
    return items;
}

std::vector<std::wstring> argumentItems(const std::wstring& arguments,
                                        const std::function<bool(const std::wstring& path)>& readable,
                                        const std::function<std::wstring(const std::wstring& relative)>& fullPath) {
    const auto madeFull = [&](std::wstring path) {
        if (isFullPath(path)) return path;
        std::wstring full = fullPath(path);
        return full.empty() ? path : full;
    };
    const std::wstring whole = withoutOuterBlanks(arguments);
    if (whole.empty()) return {};
    if (std::wstring path = madeFull(whole); readable(path)) return {std::move(path)};
    std::vector<std::wstring> items;
    for (std::wstring& item : splitArguments(arguments))
        if (!item.empty()) items.push_back(madeFull(std::move(item)));
    return items;
}

std::wstring argumentText(const std::vector<std::wstring>& items) {
    if (items.size() == 1) return items.front();
    std::wstring text;
    for (const std::wstring& item : items) {
        if (!text.empty()) text += L' ';
        // A backslash before the closing quote would escape it: each of those is doubled.
        const std::size_t kept = item.find_last_not_of(L'\\');
        const std::size_t trailing = kept == std::wstring::npos ? item.size() : item.size() - kept - 1;
        text += L'"' + item + std::wstring(trailing, L'\\') + L'"';
    }
    return text;
}

}  // namespace twinpath
