#include "paths/CommandLine.h"

namespace twinpath {

namespace {

bool isBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

std::wstring withoutLeadingBlanks(const std::wstring& text, std::size_t from) {
    while (from < text.size() && isBlank(text[from])) ++from;
    return text.substr(from);
}

}  // namespace

std::wstring argumentsOf(const std::wstring& commandLine) {
    std::size_t end = 0;
    if (!commandLine.empty() && commandLine[0] == L'"') {
        // A quoted program name ends at the next quote, with no escapes.
        end = commandLine.find(L'"', 1);
        end = end == std::wstring::npos ? commandLine.size() : end + 1;
    } else {
        while (end < commandLine.size() && !isBlank(commandLine[end])) ++end;
    }
    return withoutLeadingBlanks(commandLine, end);
}

}  // namespace twinpath
