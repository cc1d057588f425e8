#include "tests/fuzz/FuzzInput.h"

#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <stdexcept>
#include <string_view>

#include "tests/fakes/FakeTextServices.h"

namespace twinpath::fuzz {

namespace {

constexpr int kMaxEntries = 12;
constexpr int kMaxDepth = 4;
constexpr std::size_t kMaxNameBytes = 16;
constexpr int kMaxItems = 8;
constexpr std::size_t kMaxTextBytes = 64;

// What the bytes 0x80 to 0x8F stand for: capitals and smalls at the edges of
// the ranges the fakes fold, letters they do not fold, lone surrogates and
// the last UTF-16 unit. The C1 controls they would otherwise be add nothing.
constexpr wchar_t kUnusual[16] = {0x410, 0x430, 0x42F, 0x44F, 0xFF21, 0xFF41, 0xFF3A, 0xFF5A,
                                  0x130, 0x131, 0x3A3, 0x3C3, 0xD800, 0xDC00, 0xFFFF, 0x1E9E};

constexpr const wchar_t* kRoots[] = {L"C:", L"c:", L"D:", L"\\\\Server\\Share", L"\\\\server\\SHARE"};
constexpr const wchar_t* kHeads[] = {
    L"", L"C:\\", L"c:\\", L"D:\\", L"E:\\", L"\\\\Server\\Share\\", L"\\\\SERVER\\share"};

bool holdsNoneOf(const std::wstring& text, std::wstring_view forbidden) {
    for (const wchar_t c : text)
        if (c < L' ' || forbidden.find(c) != std::wstring_view::npos) return false;
    return true;
}

bool isStorableName(const std::wstring& name) {
    return !name.empty() && name != L"." && name != L".." && holdsNoneOf(name, L"<>:\"/\\|?*");
}

// Most roots are the usual drives and one share. The rest is any text of one
// part, so that no name below a root escapes the check above; the fake
// refuses those that are no drive.
std::wstring consumeRoot(FuzzedDataProvider& in) {
    const auto pick = in.ConsumeIntegralInRange<std::size_t>(0, std::size(kRoots));
    if (pick < std::size(kRoots)) return kRoots[pick];
    std::wstring root = consumeText(in, kMaxNameBytes);
    return holdsNoneOf(root, L"<>\"/\\|?*") ? root : std::wstring(L"C:");
}

}  // namespace

void require(bool holds, const char* rule, const std::wstring& subject) {
    if (holds) return;
    std::fprintf(stderr, "broken: %s\n  on: ", rule);
    for (const wchar_t c : subject) {
        if (c >= L' ' && c < 0x7F)
            std::fputc(static_cast<int>(c), stderr);
        else
            std::fprintf(stderr, "\\u%04X", static_cast<unsigned>(c));
    }
    std::fputc('\n', stderr);
    std::abort();
}

std::wstring consumeText(FuzzedDataProvider& in, std::size_t maxBytes) {
    const std::string bytes = in.ConsumeRandomLengthString(maxBytes);
    std::wstring text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        text += (b >= 0x80 && b < 0x90) ? kUnusual[b - 0x80] : static_cast<wchar_t>(b);
    }
    return text;
}

Words addTree(FuzzedDataProvider& in, fakes::FakeFileSystem& fs) {
    Words words;
    const int entries = in.ConsumeIntegralInRange(0, kMaxEntries);
    for (int e = 0; e < entries; ++e) {
        const std::wstring root = consumeRoot(in);
        std::wstring addPath = root;  // names with their explicit aliases: "Name|ALIAS"
        std::wstring namePath = root;
        bool storable = true;
        const int depth = in.ConsumeIntegralInRange(1, kMaxDepth);
        for (int d = 0; d < depth; ++d) {
            const std::wstring name = consumeText(in, kMaxNameBytes);
            std::wstring alias = in.ConsumeBool() ? consumeText(in, kMaxNameBytes) : std::wstring();
            storable = storable && isStorableName(name) && (alias.empty() || isStorableName(alias));
            // An alias that some entry beside this one already answers to is
            // left out: the fake then makes one of its own.
            if (storable && !alias.empty() && fs.attributes(namePath + L"\\" + alias)) alias.clear();
            addPath += L"\\" + name + (alias.empty() ? L"" : L"|" + alias);
            namePath += L"\\" + name;
            words.push_back(name);
            if (!alias.empty()) words.push_back(alias);
        }
        const int action = in.ConsumeIntegralInRange(0, 2);
        const auto size = in.ConsumeIntegral<std::uint64_t>();
        const auto lastWriteTime = in.ConsumeIntegral<std::uint64_t>();
        if (!storable) continue;
        try {
            if (action == 0)
                fs.addFolder(addPath).lastWriteTime = lastWriteTime;
            else if (action == 1)
                fs.addFile(addPath, size, lastWriteTime);
            else
                fs.remove(namePath);
        } catch (const std::invalid_argument&) {
            // A root the fake cannot take: the entry is not part of the tree.
        }
    }
    return words;
}

std::wstring consumePath(FuzzedDataProvider& in, const Words& words) {
    fakes::FakeTextServices text;
    std::wstring path = kHeads[in.ConsumeIntegralInRange<std::size_t>(0, std::size(kHeads) - 1)];
    const int items = in.ConsumeIntegralInRange(0, kMaxItems);
    for (int i = 0; i < items; ++i) {
        if (i > 0 || (!path.empty() && path.back() != L'\\')) path += L'\\';
        const auto pick = in.ConsumeIntegralInRange<std::size_t>(0, words.size() + 3);
        if (pick < words.size()) {
            const int spelling = in.ConsumeIntegralInRange(0, 2);
            const std::wstring& word = words[pick];
            path += spelling == 0 ? word : spelling == 1 ? text.toUpper(word) : text.toLower(word);
        } else if (pick == words.size()) {
            path += L".";
        } else if (pick == words.size() + 1) {
            path += L"..";
        } else if (pick == words.size() + 3) {
            path += consumeText(in, kMaxTextBytes);
        }  // otherwise an empty item: a doubled or trailing "\"
    }
    return path;
}

std::size_t countOf(const std::wstring& text, const std::wstring& part) {
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::wstring::npos; at = text.find(part, at + part.size())) ++count;
    return count;
}

}  // namespace twinpath::fuzz
