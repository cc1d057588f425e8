#pragma once

// In-memory stand-ins for the core's ports.
#include <deque>
#include <functional>
#include <map>
#include <vector>

#include "ports/BackgroundWork.h"
#include "ports/FileSystem.h"
#include "ports/MainView.h"
#include "ports/ProcessServices.h"
#include "ports/TextServices.h"

namespace twinpath::fakes {

// Case mapping of ASCII letters, enough for the names the tests use. The collation is a small likeness
// of the system's: first the letters, case folded, accents taken off, hyphens and apostrophes left out,
// in code order (which puts a blank, "D" and "F" where the system does); then the accents; then where
// the hyphens and apostrophes stand. "é" and "e" with a combining acute accent are the same letter.
// Every other unit, a surrogate among them, stays as it is; the keys order alike with wchar_t of 16 or 32 bits.
struct FakeText final : TextServices {
    static std::wstring mapped(std::wstring text, wchar_t from, wchar_t to) {
        for (auto& c : text) c = c >= from && c <= from + 25 ? static_cast<wchar_t>(c - from + to) : c;
        return text;
    }
    std::wstring toUpper(const std::wstring& text) override { return mapped(text, L'a', L'A'); }
    std::wstring toLower(const std::wstring& text) override { return mapped(text, L'A', L'a'); }
    int compareNoCase(const std::wstring& a, const std::wstring& b) override { return sortKey(a).compare(sortKey(b)); }
    std::string sortKey(const std::wstring& text) override {  // each level's units, high byte first, 0 between
        std::wstring letters, accents, marks;
        for (const wchar_t c : toLower(text)) {
            if (c == L'\u0301' && !accents.empty()) {
                accents.back() = 1;
            } else if (c == L'-' || c == L'\'') {
                marks += {static_cast<wchar_t>(letters.size() + 1), c == L'-' ? L'\2' : L'\1'};
            } else {
                accents += static_cast<wchar_t>(c == L'\u00e9' || c == L'\u00c9');
                letters += accents.back() ? L'e' : c;
            }
        }
        std::string key;
        for (const wchar_t unit : letters + L'\0' + accents + L'\0' + marks)
            key += {char(std::uint32_t(unit) >> 16), char(unit >> 8), char(unit)};
        return key;
    }
};

// A file system with the Windows rules the core relies on: drive ("C:") and share ("\\server\share")
// roots, names found without regard to case, 8.3 aliases that lead to the long names, "." and ".."
// first in a folder's search. Times are written as the local time they stand for, yyyymmddhhmmss;
// from 2^63 on they cannot be converted, as on the platform.
class FakeFileSystem final : public FileSystem {
public:
    // Adds a file, or a folder when the path ends in "\", with the folders above it and with more
    // attribute bits (hidden 0x2, system 0x4). An item may carry its alias: "Program Files|PROGRA~1".
    // A path without a root is passed over.
    void add(const std::wstring& path, std::uint64_t size = 0, std::uint64_t time = 0, std::uint32_t bits = 0) {
        Node* node = walk(path, nullptr, true);
        if (node && !path.ends_with(L'\\')) *node = {node->name, node->alias, 0x20, size, time, {}};
        if (!node) return;
        node->time = time;
        node->attributes |= bits;
    }

    std::optional<std::uint32_t> attributes(const std::wstring& path) override {
        const Node* node = walk(path);
        return node ? std::optional(node->attributes) : std::nullopt;
    }
    std::wstring whyUnreadable(const std::wstring& path) override {
        return walk(path) ? L"" : L"The system cannot find the file specified.";
    }
    // The typed path with each item that has an alias replaced by it; when set, the message of a
    // system that cannot make short forms.
    std::wstring shortPathFailure;
    std::wstring shortPath(const std::wstring& path, std::wstring& failure) override {
        std::wstring form;
        if (!shortPathFailure.empty()) failure = shortPathFailure;
        return shortPathFailure.empty() && walk(path, &form) ? form : L"";
    }
    std::optional<std::wstring> shortName(const std::wstring& path) override {
        const Node* node = walk(path);
        return node ? std::optional(node->alias) : std::nullopt;
    }
    // Drives mapped to shares, by their capitals: "N:" to "\\server\share".
    std::map<std::wstring, std::wstring> mappedDrives;
    std::wstring networkPath(const std::wstring& path) override {
        const auto found = mappedDrives.find(key(path.substr(0, 2)));
        return found == mappedDrives.end() ? L"" : found->second + path.substr(2);
    }
    // What each folder's volume tells: the entry of the longest folder that holds it, else nothing read.
    std::map<std::wstring, ShortNameFacts> volumes;
    ShortNameFacts shortNameFacts(const std::wstring& folder) override {
        ShortNameFacts found;
        for (const auto& [top, facts] : volumes) found = folder.starts_with(top) ? facts : found;
        return found;
    }
    std::unique_ptr<DirectorySearch> search(const std::wstring& pattern) override {
        auto found = std::make_unique<Search>();
        if (onSearch) onSearch(pattern);
        const bool all = pattern.ends_with(L"\\*");
        const std::wstring base = all ? pattern.substr(0, pattern.size() - 2) : pattern;
        const Node* node = unreadable.contains(base) ? nullptr : walk(base);
        if (!node) found->cutShortBy = unreadable.contains(base) ? unreadable[base] : L"";
        if (node && !all) found->entries = {entryOf(*node, node->name)};
        if (!node || !all || !(node->attributes & kAttributeDirectory)) return found;
        found->entries = {entryOf(*node, L"."), entryOf(*node, L"..")};
        for (const Node& child : node->children) found->entries.push_back(entryOf(child, child.name));
        found->cutShortBy = failure;
        return found;
    }
    // What cuts every folder's search short after its last entry; empty for none.
    std::wstring failure;
    // Folders whose search fails at once, with the message; and what runs as each search starts.
    std::map<std::wstring, std::wstring> unreadable;
    std::function<void(const std::wstring& pattern)> onSearch;
    std::optional<LocalTime> toLocalTime(std::uint64_t t) override {
        if (t >= 1ULL << 63) return std::nullopt;
        const auto at = [t](std::uint64_t unit) { return static_cast<int>(t / unit % 100); };
        return LocalTime{
            static_cast<int>(t / 10'000'000'000), at(100'000'000), at(1'000'000), at(10'000), at(100), at(1)};
    }

private:
    struct Node {
        std::wstring name, alias;  // a root's name is empty
        std::uint32_t attributes = kAttributeDirectory;
        std::uint64_t size = 0, time = 0;
        std::vector<Node> children;
    };
    struct Search final : DirectorySearch {
        std::vector<FindEntry> entries;
        std::size_t at = 0;
        std::wstring cutShortBy;
        bool next(FindEntry& entry) override {
            if (at < entries.size()) entry = entries[at];
            return at++ < entries.size();
        }
        std::wstring failure() const override { return at < entries.size() ? L"" : cutShortBy; }
    };

    static std::wstring key(const std::wstring& text) { return FakeText::mapped(text, L'a', L'A'); }
    static FindEntry entryOf(const Node& node, const std::wstring& name) {
        return {name, node.attributes, node.size, node.time};
    }
    // Where the "C:" or "\\server\share" root ends; npos for a path without one.
    static std::size_t rootLength(const std::wstring& path) {
        const bool drive = path.size() >= 2 && static_cast<unsigned>((path[0] | 0x20) - L'a') < 26 && path[1] == L':';
        if (!path.starts_with(L"\\\\")) return drive && (path.size() == 2 || path[2] == L'\\') ? 2 : path.npos;
        const auto server = path.find(L'\\', 2), share = path.find(L'\\', server + 1);
        return server == path.npos || server == 2 || share == server + 1 ? path.npos : std::min(share, path.size());
    }
    // Follows the path's items from its root; `create` adds the missing ones, with their "|ALIAS".
    Node* walk(const std::wstring& path, std::wstring* shortForm = nullptr, bool create = false) {
        const std::size_t end = rootLength(path);
        if (end == path.npos || (!create && !roots_.contains(key(path.substr(0, end))))) return nullptr;
        std::vector<Node*> chain{&roots_[key(path.substr(0, end))]};
        if (shortForm) *shortForm = path.substr(0, end);
        for (std::size_t at = end, cut; at < path.size(); at = cut) {
            cut = std::min(path.find(L'\\', at + 1), path.size());
            const std::wstring text = path.substr(at + 1, cut - at - 1);
            const std::wstring item = create ? text.substr(0, text.find(L'|')) : text;
            // "." and ".." are resolved on the text, as the platform does before any lookup.
            const bool step = item.empty() || item == L"." || item == L"..";
            if (item == L".." && chain.size() > 1) chain.pop_back();
            Node* child = step ? chain.back() : nullptr;
            if (!step)
                for (Node& next : chain.back()->children)
                    if (!child && (key(next.name) == key(item) || key(next.alias) == key(item))) child = &next;
            const std::wstring alias = text.substr(std::min(item.size() + 1, text.size()));
            if (!child && create)
                child = &chain.back()->children.emplace_back(Node{item, alias, kAttributeDirectory, 0, 0, {}});
            if (!child || !(chain.back()->attributes & kAttributeDirectory)) return nullptr;
            if (!step) chain.push_back(child);
            if (shortForm) *shortForm += L'\\' + (step || child->alias.empty() ? item : child->alias);
        }
        return chain.back();
    }

    std::map<std::wstring, Node> roots_;  // by the root's capitals
};

// A window that keeps what the controller does to it; `calls` lists the steps whose order matters.
struct FakeView final : MainView {
    std::wstring fields[2], title = L"Twinpath", clipboard = L"untouched";
    bool ticking = false, taskbar = false;
    bool held = false;  // the clipboard, by another program
    std::vector<std::wstring> calls;

    const std::wstring& field(NameField which) const { return fields[which != NameField::Long]; }
    void setFieldText(NameField which, const std::wstring& text) override { fields[which != NameField::Long] = text; }
    bool focusField(NameField) override { return true; }
    void selectWholeField(NameField) override {}
    void setShortFormHint(const std::wstring&) override {}
    std::wstring caption() override { return title; }
    void setCaption(const std::wstring& text) override { title = text; }
    void restoreWindow() override { calls.push_back(L"restore"); }
    void bringToFront() override { calls.push_back(L"front"); }
    void setBusyPointer(bool on) override { calls.push_back(on ? L"busy" : L"idle"); }
    void setWorkTimer(bool on) override { ticking = on; }
    void showWorkInTaskbar(bool on) override { taskbar = on; }
    void showLetterCase(LetterCase) override {}
    // The menus, the heading and the tips are looked at in the real window.
    void showListChoice(ListMode, bool) override {}
    void showModeMenu() override {}
    void showCopyMenu(NameField, const std::vector<CopyMenuItem>&, std::size_t) override {}
    void showSelection(const std::wstring&, const std::wstring&) override {}
    using MainView::setClipboardText;
    bool setClipboardText(std::span<const std::wstring> pieces) override {
        if (held) return false;
        clipboard.clear();
        for (const auto& piece : pieces) clipboard += piece;
        calls.push_back(L"set " + clipboard);
        return true;
    }
};

// Keeps every job it is given until the test runs it (off the window's thread, as far as the job can tell) and
// then finishes it (back on the window's thread); its clock moves when the test moves it.
struct FakeWork final : BackgroundWork {
    std::uint64_t clock = 1000;
    using Jobs = std::deque<std::shared_ptr<Job>>;
    Jobs waiting, ran;

    void start(std::shared_ptr<Job> job) override { waiting.push_back(std::move(job)); }
    std::uint64_t now() override { return clock; }
    // Runs the oldest waiting job; false when none waits.
    bool run() { return step(waiting, &Job::run, &ran); }
    // Brings back the oldest job that has run; false when none has.
    bool finish() { return step(ran, &Job::finish, nullptr); }
    // Runs and finishes every job, also those that the finished ones start.
    void settle() {
        while (run() || finish()) continue;
    }

private:
    // Takes the oldest job of `from` and does `what` with it, then keeps it in `then` if given.
    static bool step(Jobs& from, void (Job::*what)(), Jobs* then) {
        if (from.empty()) return false;
        const std::shared_ptr<Job> job = std::move(from.front());
        from.pop_front();
        (*job.*what)();
        if (then) then->push_back(job);
        return true;
    }
};

// The running copy and this process, whose current folder is C:\.
struct FakeProcess final : ProcessServices {
    bool running = false, answers = true;
    std::wstring arguments;
    std::vector<std::wstring> handedOff;

    bool previousInstanceRunning() override { return running; }
    std::wstring commandLineArguments() override { return arguments; }
    ProgramVersion version() override { return {1, 3, 0}; }
    std::wstring fullPath(const std::wstring& relativePath) override { return L"C:\\" + relativePath; }
    bool handOff(const std::wstring& text) override {
        if (answers) handedOff.push_back(text);
        return answers;
    }
};

}  // namespace twinpath::fakes
