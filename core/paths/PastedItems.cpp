#include "paths/PastedItems.h"

#include <algorithm>

namespace twinpath {

namespace {

std::wstring withoutOuterBlanks(const std::wstring& text) {
    const auto start = text.find_first_not_of(L" \t");
    if (start == std::wstring::npos) return {};
    return text.substr(start, text.find_last_not_of(L" \t") - start + 1);
}

std::wstring pathOfLine(const std::wstring& line) {
    const std::wstring text = withoutOuterBlanks(line);
    if (text.size() >= 2 && text.front() == L'"' && text.back() == L'"')
        return withoutOuterBlanks(text.substr(1, text.size() - 2));
    return text;
}

}  // namespace

std::vector<std::wstring> pastedItems(const std::wstring& text) {
    std::vector<std::wstring> items;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find_first_of(L"\r\n", start), text.size());
        if (std::wstring path = pathOfLine(text.substr(start, end - start)); !path.empty())
            items.push_back(std::move(path));
        // CR LF ends one line, not two.
        start = end + (text.compare(end, 2, L"\r\n") == 0 ? 2 : 1);
    }
    return items;
}

}  // namespace twinpath
