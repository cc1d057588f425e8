#pragma once

// Argument texts and their items, held natively against the program's split
// and under Wine against the system's own.
#include <string>
#include <vector>

namespace twinpath::rows {

struct SplitRow {
    std::wstring text;
    std::vector<std::wstring> items;
};

inline const SplitRow kSplits[] = {
    {.text = L"", .items = {}},
    {.text = L" \tC:\\a\t\tC:\\b  \t ", .items = {L"C:\\a", L"C:\\b"}},
    {.text = L"a\nb\vc\rd", .items = {L"a\nb\vc\rd"}},
    {.text = L"\"C:\\a b.txt\" \"C:\\c\td\"", .items = {L"C:\\a b.txt", L"C:\\c\td"}},
    {.text = L"a\"b c\"d e", .items = {L"ab cd", L"e"}},
    {.text = L"\"C:\\unclosed x \t", .items = {L"C:\\unclosed x \t"}},
    {.text = L"\"\" x \"\"", .items = {L"", L"x", L""}},
    {.text = L"\"a\"\"b\" c", .items = {L"a\"b c"}},
    {.text = L"\"\"\"a\" b", .items = {L"\"a b"}},
    {.text = L"a\\\"b c", .items = {L"a\"b", L"c"}},
    {.text = L"a\\\\\"b c\" d", .items = {L"a\\b c", L"d"}},
    {.text = L"a\\\\\\\"b", .items = {L"a\\\"b"}},
    {.text = L"\"a\\\" b\" c", .items = {L"a\" b", L"c"}},
    {.text = L"\"C:\\\\\" next", .items = {L"C:\\", L"next"}},
    {.text = L"\\\\server\\share\\ x\\", .items = {L"\\\\server\\share\\", L"x\\"}},
};

}  // namespace twinpath::rows
