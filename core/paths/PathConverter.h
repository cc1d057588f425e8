#pragma once

#include <string>
#include <vector>

#include "ports/FileSystem.h"

namespace twinpath {

// Turns one input path into its long form (every component below the head
// spelt as the file system stores it) and its short (8.3) form. The input is
// validated once when it is set; both forms are computed anew on every read.
class PathConverter {
public:
    explicit PathConverter(FileSystem& fileSystem) : fileSystem_(fileSystem) {}

    // Keeps the text exactly as given when its attributes can be read,
    // otherwise the empty path.
    void setInput(const std::wstring& path);
    // True when the path set last could be read.
    bool hasInput() const { return !input_.empty(); }

    std::wstring longForm() const;
    // Empty for a path that was not read, and when the system cannot make it,
    // with the system's message in `failure`.
    std::wstring shortForm(std::wstring& failure) const;
    std::wstring shortForm() const;

private:
    std::wstring storedName(const std::wstring& lookupPath, const std::wstring& typedItem) const;

    FileSystem& fileSystem_;
    std::wstring input_;
};

}  // namespace twinpath
