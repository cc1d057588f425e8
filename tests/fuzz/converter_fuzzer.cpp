// Any tree and any path: the converter's two forms.
#include "FuzzInput.h"
#include "paths/PathConverter.h"
#include "paths/PathHead.h"

using namespace twinpath;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fakes::FakeFileSystem fs;
    const std::wstring path = fuzz::addTree(fuzz::linesOf(data, size), fs);

    PathConverter converter(fs);
    converter.setInput(path);
    const std::wstring longForm = converter.longForm(), shortForm = converter.shortForm();
    const PathHead head = splitHead(path);
    if (!fs.attributes(path) || head.kind == PathHead::Kind::None) {
        fuzz::require(longForm.empty() && (fs.attributes(path) || shortForm.empty()), "no forms without a path", path);
        return 0;
    }
    fuzz::require(longForm.starts_with(path.substr(0, head.length)), "the long form keeps the typed head", path);
    fuzz::require(std::ranges::count(longForm, L'\\') == std::ranges::count(path, L'\\'), "item for item", path);
    // The long form leads to the same entry: the short forms differ only in the case of items without an alias.
    fuzz::require(fakes::FakeText().compareNoCase(fs.shortPath(longForm), shortForm) == 0, "the same entry", path);
    return 0;
}
