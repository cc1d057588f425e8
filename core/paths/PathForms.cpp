#include "paths/PathForms.h"

#include <algorithm>
#include <optional>

#include "paths/PathShape.h"

namespace twinpath {

namespace {

constexpr wchar_t kNotAFullPath[] = L"the text is not a full path";
constexpr wchar_t kWslNeedsADrive[] = L"only a path on a drive has a WSL form";
constexpr wchar_t kUriNeedsADriveOrShare[] = L"only a path on a drive or a network share has a file URI";
constexpr wchar_t kNotUtf16[] = L"the path holds a character that UTF-8 cannot carry";
constexpr wchar_t kLiteralItem[] =
    L"an item of the path ends in a period or a blank, which only its \\\\?\\ form keeps";
constexpr wchar_t kCmdMayExpand[] = L"at the prompt cmd may expand %...% in it, and !...! with delayed expansion";
constexpr wchar_t kNotMapped[] = L"the path is not on a mapped network drive";
constexpr wchar_t kRootHasNoName[] = L"a root has no name";
constexpr wchar_t kRootHasNoParent[] = L"a root has no parent folder";
constexpr wchar_t kNoShortFolder[] = L"the short form of the parent folder cannot be read";
// Characters for which cmd's own help asks for quotes, with the blank and
// the percent sign; the tilde quotes every short form.
constexpr wchar_t kNeedQuotes[] = L" \t%&()[]{}^=;!'+,`~";

// Where a path's levels begin, and the form that other programs read.
struct Shape {
    enum class Kind { None, Drive, Unc, Device } kind = Kind::None;
    // The root as shown, its separator included: never a level.
    std::size_t rootLength = 0;
    // The shortest a parent folder gets: a drive root keeps its separator
    // ("C:\", as "C:" alone names the drive's current folder), a share not.
    std::size_t keptLength = 0;
    // Without a "\\?\" or "\\.\" prefix ("C:\...", "\\server\share\..."); a
    // device path as it is.
    std::wstring plain;
};

Shape formShapeOf(const std::wstring& path) {
    using Kind = PathShape::Kind;
    const PathShape shape = shapeOf(path);
    const std::size_t root = shape.rootLength;
    switch (shape.kind) {
        case Kind::Volume:
        case Kind::Object:
            return {Shape::Kind::Device, root, root, path};
        case Kind::Drive:
        case Kind::PrefixedDrive:
            return {Shape::Kind::Drive, root, root, path.substr(shape.prefixLength)};
        case Kind::Unc:
        case Kind::PrefixedUnc:
            return {Shape::Kind::Unc, root, path[root - 1] == L'\\' ? root - 1 : root,
                    shape.isPrefixed() ? L"\\\\" + path.substr(shape.prefixLength) : path};
        default:
            return {};
    }
}

// The bounds of the last level, trailing separators left out; nothing for a
// root.
std::optional<std::pair<std::size_t, std::size_t>> lastLevelOf(const std::wstring& path, const Shape& shape) {
    std::size_t end = path.size();
    while (end > shape.rootLength && path[end - 1] == L'\\') --end;
    if (end <= shape.rootLength) return std::nullopt;
    return std::pair(path.rfind(L'\\', end - 1) + 1, end);
}

std::wstring withSlashes(std::wstring path) {
    std::replace(path.begin(), path.end(), L'\\', L'/');
    return path;
}

// Programs that split their command line by the C runtime's rules read "\""
// as a quote inside the argument, and cmd's own commands take a doubled "\"
// literally in a "\\?\" path: the quotes close before a trailing "\" (a
// root's, a folder's), which is right for both ("C:"\).
std::wstring quoted(const std::wstring& path) {
    const std::size_t kept = path.find_last_not_of(L'\\') + 1;
    return L'"' + path.substr(0, kept) + L'"' + path.substr(kept);
}

std::wstring forCommandLine(const std::wstring& path) {
    return path.find_first_of(kNeedQuotes) == std::wstring::npos ? path : quoted(path);
}

// A batch file reads "%%" as one "%", and takes every single "%" as the
// start of a name to expand.
std::wstring forBatchFile(const std::wstring& path) {
    std::wstring text;
    for (const wchar_t c : forCommandLine(path)) text += c == L'%' ? L"%%" : std::wstring(1, c);
    return text;
}

// The system drops a trailing period or blank from each item of a path
// without the "\\?\" prefix, so such a name is reachable only through it.
bool hasLiteralOnlyItem(const std::wstring& path, const Shape& shape) {
    if (shape.kind == Shape::Kind::Device || !path.starts_with(L"\\\\?\\")) return false;
    for (std::size_t start = shape.rootLength; start < path.size();) {
        const std::size_t end = std::min(path.find(L'\\', start), path.size());
        if (end > start && (path[end - 1] == L'.' || path[end - 1] == L' ')) return true;
        start = end + 1;
    }
    return false;
}

bool unreservedOrSeparator(char32_t c) {
    return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z') || (c >= U'0' && c <= U'9') || c == U'-' || c == U'.' ||
           c == U'_' || c == U'~' || c == U'/' || c == U':';
}

// Every character but the unreserved ones, "/" and ":" as "%XX" for each
// byte of its UTF-8 form; nothing for a lone surrogate or, where wchar_t
// has 32 bits, a unit beyond U+10FFFF, which have none.
std::optional<std::wstring> percentEncoded(const std::wstring& text) {
    static constexpr wchar_t kHex[] = L"0123456789ABCDEF";
    std::wstring encoded;
    const auto put = [&encoded](char32_t byte) { encoded += {L'%', kHex[byte >> 4], kHex[byte & 0xF]}; };
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = static_cast<char32_t>(text[i]);
        const char32_t next = i + 1 < text.size() ? static_cast<char32_t>(text[i + 1]) : 0;
        if (c >= 0xD800 && c < 0xDC00 && next >= 0xDC00 && next < 0xE000)
            c = 0x10000 + ((c - 0xD800) << 10) + next - 0xDC00, ++i;
        if ((c >= 0xD800 && c < 0xE000) || c > 0x10FFFF) return std::nullopt;
        if (unreservedOrSeparator(c)) {
            encoded += static_cast<wchar_t>(c);
        } else if (c < 0x80) {
            put(c);
        } else if (c < 0x800) {
            put(0xC0 | c >> 6), put(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            put(0xE0 | c >> 12), put(0x80 | (c >> 6 & 0x3F)), put(0x80 | (c & 0x3F));
        } else {
            put(0xF0 | c >> 18), put(0x80 | (c >> 12 & 0x3F)), put(0x80 | (c >> 6 & 0x3F)), put(0x80 | (c & 0x3F));
        }
    }
    return encoded;
}

FormedPath made(std::wstring text) { return {std::move(text), {}, {}}; }
FormedPath notMade(const wchar_t* why) { return {{}, why, {}}; }

FormedPath uriOf(const Shape& shape) {
    if (shape.kind == Shape::Kind::Device) return notMade(kUriNeedsADriveOrShare);
    const auto encoded = percentEncoded(withSlashes(shape.plain));
    if (!encoded) return notMade(kNotUtf16);
    // A drive path gets the empty host ("file:///C:/"); a share's server is
    // the host ("file://server/share").
    return made((shape.kind == Shape::Kind::Drive ? L"file:///" : L"file:") + *encoded);
}

FormedPath levelForm(PathForm form, const std::wstring& path, const Shape& shape, FileSystem& fileSystem) {
    const auto level = lastLevelOf(path, shape);
    if (!level) return notMade(form == PathForm::Name ? kRootHasNoName : kRootHasNoParent);
    const auto [start, end] = *level;
    const std::wstring name = path.substr(start, end - start);
    const std::wstring parent = path.substr(0, std::max(start - 1, shape.keptLength));
    if (form == PathForm::Name) return made(name);
    if (form == PathForm::Parent) return made(parent);
    std::wstring failure;
    const std::wstring folder = fileSystem.shortPath(parent, failure);
    if (folder.empty()) return notMade(kNoShortFolder);
    return made(folder + (folder.ends_with(L'\\') ? L"" : L"\\") + name);
}

}  // namespace

bool asksFileSystem(PathForm form) { return form == PathForm::Network || form == PathForm::ShortFolderLongName; }

FormedPath pathInForm(PathForm form, const std::wstring& path, FileSystem& fileSystem) {
    if (form == PathForm::AsShown) return made(path);
    const Shape shape = formShapeOf(path);
    if (shape.kind == Shape::Kind::None) return notMade(kNotAFullPath);
    switch (form) {
        case PathForm::CommandLine:
            // Quotes do not keep cmd from expanding names: the form is
            // still right where no such name is set.
            if (path.find_first_of(L"%!") != std::wstring::npos) return {forCommandLine(path), {}, kCmdMayExpand};
            return made(forCommandLine(path));
        case PathForm::BatchFile:
            return made(forBatchFile(path));
        case PathForm::Quoted:
            return made(quoted(path));
        case PathForm::ForwardSlashes:
            if (hasLiteralOnlyItem(path, shape)) return notMade(kLiteralItem);
            return made(withSlashes(shape.plain));
        case PathForm::Wsl:
            // WSL mounts drive C: as /mnt/c, in small letters whatever the case shown.
            if (shape.kind != Shape::Kind::Drive) return notMade(kWslNeedsADrive);
            return made(L"/mnt/" + std::wstring(1, static_cast<wchar_t>(shape.plain[0] | 0x20)) +
                        withSlashes(shape.plain.substr(2)));
        case PathForm::FileUri:
            if (hasLiteralOnlyItem(path, shape)) return notMade(kLiteralItem);
            return uriOf(shape);
        case PathForm::Network: {
            // Only the system's answer: no administrative share is made up
            // for a local drive.
            std::wstring share = shape.kind == Shape::Kind::Drive ? fileSystem.networkPath(shape.plain) : L"";
            return share.empty() ? notMade(kNotMapped) : made(std::move(share));
        }
        default:
            return levelForm(form, path, shape, fileSystem);
    }
}

}  // namespace twinpath
