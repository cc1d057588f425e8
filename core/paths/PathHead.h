#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace twinpath {

// The head of a path: the part that is kept exactly as typed. For a drive path
// it is "X:\" (3 characters); for a UNC path "\\server\share\" or, when nothing
// follows the share, "\\server\share". Any other shape has no head.
struct PathHead {
    enum class Kind { None, Drive, Unc } kind = Kind::None;
    std::size_t length = 0;
};

PathHead splitHead(const std::wstring& path);

// True for a name that is "." or "..", which the file system resolves
// against the path instead of naming an entry.
bool isRelativeStep(const std::wstring& item);

// True for "X:\..." and UNC paths "\\...": paths that need no current folder.
bool isFullPath(const std::wstring& path);

// The root that a path in the literal "\\?\" form, the device form "\\.\" or
// the object form "\??\" leads to after its 4-character prefix: a UNC share
// ("UNC\", 8 characters with the prefix), a drive ("C:", 6), a volume
// ("Volume{...}" up to its brace), or some other object name (length 4).
// Kind None for paths without such a prefix.
struct PrefixedRoot {
    enum class Kind { None, Unc, Drive, Volume, Other } kind = Kind::None;
    std::size_t length = 0;
};

PrefixedRoot splitPrefixedRoot(std::wstring_view path);

// How far the lister's walk up from a file may cut: a path cut shorter than
// this has left its drive ("C:\") or share ("\\server\share\") behind. For
// other shapes it is the length up to the first "\", which keeps a relative
// walk inside its first folder.
std::size_t listingRootLength(const std::wstring& path);

// Where the part that "<" never cuts ends: after a drive root ("C:\"), or
// after the server of a UNC path, so that its share is the highest level. The
// "\\?\" and "\\.\" forms wrap a UNC path after "UNC\" and otherwise a volume,
// which counts as a drive. npos for other shapes.
std::size_t levelTopLength(const std::wstring& path);

}  // namespace twinpath
