#include "tests/fakes/FakeFileSystem.h"

#include <stdexcept>

namespace twinpath::fakes {

namespace {

constexpr std::uint64_t kTicksPerSecond = 10'000'000;
constexpr std::int64_t kDaysFrom1601To1970 = 134774;

wchar_t foldCase(wchar_t c) {
    if ((c >= L'a' && c <= L'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7) || (c >= 0x430 && c <= 0x44F))
        return static_cast<wchar_t>(c - 0x20);
    return c;
}

std::wstring folded(const std::wstring& text) {
    std::wstring out = text;
    for (auto& c : out) c = foldCase(c);
    return out;
}

bool sameName(const std::wstring& a, const std::wstring& b) { return folded(a) == folded(b); }

bool isValidShortName(const std::wstring& name) {
    const auto dot = name.find(L'.');
    const std::wstring base = name.substr(0, dot);
    const std::wstring ext = dot == std::wstring::npos ? L"" : name.substr(dot + 1);
    if (base.empty() || base.size() > 8 || ext.size() > 3 || ext.find(L'.') != std::wstring::npos) return false;
    for (wchar_t c : name)
        if (c > 0x7E || c <= L' ' || std::wstring(L"+,;=[]").find(c) != std::wstring::npos) return false;
    return true;
}

struct SplitPath {
    std::wstring rootKey;   // folded root: "C:" or "\\SERVER\SHARE"
    std::wstring rootText;  // the root as typed
    std::wstring headText;  // what the short name keeps as typed: "C:\", "\\server\share"
    std::vector<std::wstring> parts;
    bool trailingSeparator = false;
};

bool isDrive(const std::wstring& p) {
    return p.size() >= 2 && ((p[0] >= L'A' && p[0] <= L'Z') || (p[0] >= L'a' && p[0] <= L'z')) && p[1] == L':';
}

std::optional<SplitPath> splitPath(const std::wstring& path) {
    SplitPath out;
    std::size_t restStart = 0;
    if (path.size() >= 2 && path[0] == L'\\' && path[1] == L'\\') {
        const auto serverEnd = path.find(L'\\', 2);
        if (serverEnd == std::wstring::npos || serverEnd == 2) return std::nullopt;
        auto shareEnd = path.find(L'\\', serverEnd + 1);
        if (shareEnd == serverEnd + 1) return std::nullopt;
        if (shareEnd == std::wstring::npos) shareEnd = path.size();
        out.rootText = path.substr(0, shareEnd);
        out.headText = out.rootText;
        restStart = shareEnd;
    } else if (isDrive(path)) {
        if (path.size() > 2 && path[2] != L'\\') return std::nullopt;  // "C:name" is relative
        out.rootText = path.substr(0, 2);
        out.headText = path.substr(0, std::min<std::size_t>(3, path.size()));
        restStart = 2;
    } else {
        return std::nullopt;
    }
    out.rootKey = folded(out.rootText);
    std::size_t start = restStart;
    while (start < path.size()) {
        while (start < path.size() && path[start] == L'\\') ++start;
        if (start >= path.size()) break;
        auto cut = path.find(L'\\', start);
        if (cut == std::wstring::npos) cut = path.size();
        out.parts.push_back(path.substr(start, cut - start));
        start = cut;
    }
    out.trailingSeparator = !out.parts.empty() && path.back() == L'\\';
    return out;
}

void civilFromDays(std::int64_t days, int& year, int& month, int& day) {
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const auto doe = static_cast<unsigned>(days - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

std::int64_t daysFromCivil(int year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const auto yoe = static_cast<unsigned>(year - era * 400);
    const unsigned doy = (153 * static_cast<unsigned>(month > 2 ? month - 3 : month + 9) + 2) / 5 +
                         static_cast<unsigned>(day) - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

class VectorSearch final : public DirectorySearch {
public:
    explicit VectorSearch(std::vector<FindEntry> entries) : entries_(std::move(entries)) {}
    bool next(FindEntry& entry) override {
        if (position_ >= entries_.size()) return false;
        entry = entries_[position_++];
        return true;
    }

private:
    std::vector<FindEntry> entries_;
    std::size_t position_ = 0;
};

FindEntry entryOf(const FakeFileSystem::Node& node, const std::wstring& name) {
    return {name, node.attributes, node.size, node.lastWriteTime};
}

}  // namespace

std::uint64_t FakeFileSystem::fileTime(int year, int month, int day, int hour, int minute, int second,
                                       int millisecond) {
    const std::int64_t days = daysFromCivil(year, month, day) + kDaysFrom1601To1970;
    const std::int64_t seconds = days * 86400 + hour * 3600 + minute * 60 + second;
    return static_cast<std::uint64_t>(seconds) * kTicksPerSecond + static_cast<std::uint64_t>(millisecond) * 10'000;
}

FakeFileSystem::Node* FakeFileSystem::findChild(Node& parent, const std::wstring& name) {
    for (auto& child : parent.children)
        if (sameName(child->name, name) || (!child->alias.empty() && sameName(child->alias, name)))
            return child.get();
    return nullptr;
}

std::wstring FakeFileSystem::makeAlias(Node& parent, const std::wstring& name) {
    if (isValidShortName(name)) return {};
    std::wstring base, ext;
    const auto dot = name.rfind(L'.');
    for (std::size_t i = 0; i < name.size(); ++i) {
        const wchar_t c = foldCase(name[i]);
        const bool valid = c > L' ' && c <= 0x7E && std::wstring(L"+,;=[].").find(c) == std::wstring::npos;
        if (dot != std::wstring::npos && i > dot) {
            if (valid && ext.size() < 3) ext += c;
        } else if (i != dot && c != L' ' && base.size() < 6) {
            base += valid ? c : L'_';
        }
    }
    if (base.empty()) base = L"_";
    for (int n = 1;; ++n) {
        std::wstring alias = base + L"~" + std::to_wstring(n) + (ext.empty() ? L"" : L"." + ext);
        if (!findChild(parent, alias)) return alias;
    }
}

FakeFileSystem::Node& FakeFileSystem::addPath(const std::wstring& path, bool folder) {
    const auto split = splitPath(path);
    if (!split || split->parts.empty()) {
        if (split && folder) {
            auto& root = roots_[split->rootKey];
            if (!root) root = std::make_unique<Node>(Node{split->rootText, {}, kAttributeDirectory, 0, 0, {}});
            return *root;
        }
        throw std::invalid_argument("fake file system: bad path");
    }
    auto& root = roots_[split->rootKey];
    if (!root) root = std::make_unique<Node>(Node{split->rootText, {}, kAttributeDirectory, 0, 0, {}});
    Node* current = root.get();
    for (std::size_t i = 0; i < split->parts.size(); ++i) {
        const bool last = i + 1 == split->parts.size();
        std::wstring name = split->parts[i];
        std::wstring alias;
        if (const auto bar = name.find(L'|'); bar != std::wstring::npos) {
            alias = name.substr(bar + 1);
            name.resize(bar);
        }
        Node* child = findChild(*current, name);
        if (!child) {
            auto node = std::make_unique<Node>();
            node->name = name;
            node->alias = alias.empty() ? makeAlias(*current, name) : alias;
            node->attributes = (last && !folder) ? 0x20 : kAttributeDirectory;
            child = node.get();
            current->children.push_back(std::move(node));
        }
        current = child;
    }
    return *current;
}

FakeFileSystem::Node& FakeFileSystem::addFolder(const std::wstring& path) { return addPath(path, true); }

FakeFileSystem::Node& FakeFileSystem::addFile(const std::wstring& path, std::uint64_t size,
                                              std::uint64_t lastWriteTime) {
    Node& node = addPath(path, false);
    node.size = size;
    node.lastWriteTime = lastWriteTime;
    return node;
}

void FakeFileSystem::remove(const std::wstring& path) {
    const auto split = splitPath(path);
    if (!split || split->parts.empty()) return;
    const auto root = roots_.find(split->rootKey);
    if (root == roots_.end()) return;
    Node* parent = root->second.get();
    for (std::size_t i = 0; parent && i + 1 < split->parts.size(); ++i) parent = findChild(*parent, split->parts[i]);
    if (!parent) return;
    std::erase_if(parent->children, [&](const auto& child) {
        return sameName(child->name, split->parts.back()) || sameName(child->alias, split->parts.back());
    });
}

std::optional<FakeFileSystem::Resolved> FakeFileSystem::resolve(const std::wstring& path) {
    const auto split = splitPath(path);
    if (!split) return std::nullopt;
    const auto root = roots_.find(split->rootKey);
    if (root == roots_.end()) return std::nullopt;
    std::vector<Node*> chain{root->second.get()};
    Resolved out;
    for (const auto& part : split->parts) {
        if (part == L".") continue;
        if (part == L"..") {
            if (chain.size() > 1) {
                chain.pop_back();
                out.shortParts.pop_back();
            }
            continue;
        }
        if (part.find_first_of(L"*?<>|\"/:") != std::wstring::npos) return std::nullopt;
        if (!(chain.back()->attributes & kAttributeDirectory)) return std::nullopt;
        Node* child = findChild(*chain.back(), part);
        if (!child) return std::nullopt;
        chain.push_back(child);
        out.shortParts.push_back(child->alias.empty() ? part : child->alias);
    }
    out.node = chain.back();
    out.trailingSeparator = split->trailingSeparator;
    if (out.trailingSeparator && !(out.node->attributes & kAttributeDirectory)) return std::nullopt;
    return out;
}

std::optional<std::uint32_t> FakeFileSystem::attributes(const std::wstring& path) {
    ++attributeReads;
    const auto resolved = resolve(path);
    if (!resolved) return std::nullopt;
    return resolved->node->attributes;
}

std::wstring FakeFileSystem::shortPath(const std::wstring& path) {
    ++shortPathCalls;
    if (failShortPath) return {};
    const auto resolved = resolve(path);
    if (!resolved) return {};
    std::wstring out = splitPath(path)->headText;
    for (std::size_t i = 0; i < resolved->shortParts.size(); ++i) {
        if (!out.empty() && out.back() != L'\\') out += L'\\';
        out += resolved->shortParts[i];
    }
    if (resolved->trailingSeparator) out += L'\\';
    return out;
}

std::unique_ptr<DirectorySearch> FakeFileSystem::search(const std::wstring& pattern) {
    ++searches;
    std::vector<FindEntry> entries;
    const auto lastSeparator = pattern.rfind(L'\\');
    if (lastSeparator != std::wstring::npos && pattern.substr(lastSeparator + 1) == L"*") {
        const auto folder = resolve(pattern.substr(0, lastSeparator + 1));
        if (folder && (folder->node->attributes & kAttributeDirectory)) {
            const bool isRoot = folder->shortParts.empty();
            if (!isRoot) {
                entries.push_back(entryOf(*folder->node, L"."));
                entries.push_back(entryOf(*folder->node, L".."));
            }
            for (const auto& child : folder->node->children) entries.push_back(entryOf(*child, child->name));
        }
    } else if (const auto found = resolve(pattern);
               found && !found->trailingSeparator && !found->shortParts.empty()) {
        entries.push_back(entryOf(*found->node, found->node->name));
    }
    return std::make_unique<VectorSearch>(std::move(entries));
}

std::optional<LocalTime> FakeFileSystem::toLocalTime(std::uint64_t fileTime) {
    if (fileTime >= 0x8000000000000000ULL) return std::nullopt;
    const std::int64_t seconds = static_cast<std::int64_t>(fileTime / kTicksPerSecond) + 9 * 3600;
    const std::int64_t days = seconds / 86400 - kDaysFrom1601To1970;
    const std::int64_t secondOfDay = seconds % 86400;
    LocalTime local;
    civilFromDays(days, local.year, local.month, local.day);
    local.hour = static_cast<int>(secondOfDay / 3600);
    local.minute = static_cast<int>(secondOfDay / 60 % 60);
    local.second = static_cast<int>(secondOfDay % 60);
    return local;
}

}  // namespace twinpath::fakes
