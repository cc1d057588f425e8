#pragma once

#include <cstddef>
#include <string>

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

}  // namespace twinpath
