// Any path text over any tree: the converter's two forms, and the command
// line helpers that find that text in the first place.
#include "app/CommandLine.h"
#include "pathname/PathShape.h"
#include "pathname/clsLngSht.h"
#include "tests/fakes/FakeTextServices.h"
#include "tests/fuzz/FuzzInput.h"

namespace twinpath::fuzz {
namespace {

bool isBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

std::wstring withoutLeadingBlanks(const std::wstring& text) {
    std::size_t from = 0;
    while (from < text.size() && isBlank(text[from])) ++from;
    return text.substr(from);
}

void checkCommandLine(const std::wstring& text) {
    const std::wstring arguments = argumentsOf(text);
    require(text.ends_with(arguments), "the arguments are the end of the command line", text);
    require(arguments.empty() || !isBlank(arguments[0]), "the arguments start with no blank", text);
    // Whatever follows the program's name, quoted or not, comes back whole.
    const std::wstring typed = withoutLeadingBlanks(text);
    require(argumentsOf(L"twinpath.exe " + text) == typed, "a plain program name is passed over", text);
    require(argumentsOf(L"\"C:\\Program Files\\Twinpath\\twinpath.exe\"" + text) == typed,
            "a quoted program name is passed over", text);

    const std::wstring path = inputPathOf(text);
    if (typed.starts_with(L'"')) {
        require(typed.starts_with(L"\"" + path), "a quoted path is the text after the quote", text);
        require(path.find(L'"') == std::wstring::npos, "a quoted path ends at the next quote", text);
    } else {
        require(path == typed, "an unquoted path is the whole text", text);
    }

    const PathHead head = splitHead(text);
    require(head.kind == PathHead::Kind::None || !isRelativePath(text),
            "a path with a drive or share head is not relative", text);
    require(isRelativePath(text) || text.starts_with(L"\\\\") ||
                (text.size() >= 3 && text.substr(1, 2) == L":\\"),
            "only drive and share paths are not relative", text);
}

std::vector<std::wstring> itemsOf(const std::wstring& rest) {
    std::vector<std::wstring> items;
    std::size_t start = 0;
    for (auto cut = rest.find(L'\\'); cut != std::wstring::npos; cut = rest.find(L'\\', start)) {
        items.push_back(rest.substr(start, cut - start));
        start = cut + 1;
    }
    items.push_back(rest.substr(start));
    return items;
}

bool namesNoEntry(const std::wstring& item) {
    return item.empty() || isRelativeStep(item) || item.find_first_of(L"*?") != std::wstring::npos;
}

void checkConverter(FileSystem& fs, const std::wstring& path) {
    clsLngSht converter(fs);
    converter.pInFileName(path);
    const std::wstring longForm = converter.pLongFileName();
    const std::wstring shortForm = converter.pShortFileName();
    require(converter.pLongFileName() == longForm && converter.pShortFileName() == shortForm,
            "a second read gives the same forms", path);

    const auto attributes = fs.attributes(path);
    if (!attributes) {
        require(longForm.empty() && shortForm.empty(), "a path that cannot be read has no forms", path);
        return;
    }
    const PathHead head = splitHead(path);
    if (head.kind == PathHead::Kind::None) {
        require(longForm.empty(), "a path without a head has no long form", path);
        return;
    }
    require(longForm.starts_with(path.substr(0, head.length)), "the long form keeps the typed head", path);
    const auto typed = itemsOf(path.substr(head.length));
    const auto stored = itemsOf(longForm.substr(head.length));
    require(typed.size() == stored.size(), "the long form has one item per typed item", path);
    for (std::size_t i = 0; i < typed.size(); ++i) {
        if (namesNoEntry(typed[i]))
            require(stored[i] == typed[i], "an item that names no entry is kept as typed", path);
        else
            require(!stored[i].empty(), "an entry's stored name is not empty", path);
    }

    // The long form names the same entry: read again, it is its own long form
    // and has the same short form (the case of items without an alias, which
    // the short form keeps as typed, aside).
    require(fs.attributes(longForm) == attributes, "the long form names the same entry", path);
    clsLngSht again(fs);
    again.pInFileName(longForm);
    require(again.pLongFileName() == longForm, "the long form is its own long form", path);
    fakes::FakeTextServices text;
    require(text.compareNoCase(again.pShortFileName(), shortForm) == 0,
            "the long form has the same short form", path);
}

}  // namespace
}  // namespace twinpath::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace twinpath;
    FuzzedDataProvider in(data, size);
    fakes::FakeFileSystem fs;
    const fuzz::Words words = fuzz::addTree(in, fs);
    fs.failShortPath = in.ConsumeBool();
    const std::wstring path = fuzz::consumePath(in, words);
    fuzz::checkCommandLine(path);
    fuzz::checkConverter(fs, path);
    return 0;
}
