#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace twinpath {

// What kind of path a text is, and where its root ends: the one reading of a
// path's start that every part of the program goes by.
struct PathShape {
    enum class Kind {
        Relative,       // "x\y", "\x": against the current folder
        DriveRelative,  // "C:" or "C:x": against the drive's current folder
        NoShare,        // "\\server", "\\server\\x", "\\?\UNC\server": a network path naming no share
        Drive,          // "C:\..."
        Unc,            // "\\server\share\..."
        PrefixedDrive,  // "\\?\C:\...", also after "\\.\" or "\??\"
        PrefixedUnc,    // "\\?\UNC\server\share\..."
        Volume,         // "\\?\Volume{...}\..."
        Object          // any other name after a prefix: a device or an object
    } kind = Kind::Relative;
    // The "\\?\", "\\.\" or "\??\" prefix (4 characters), with "UNC\" (8).
    std::size_t prefixLength = 0;
    // The root, kept exactly as typed and never a level: "C:\", "\\server\share\"
    // (or to the end when nothing follows the share), "\\?\C:\",
    // "\\?\Volume{...}\", an object's first name with its separator. 0 when
    // the path has none.
    std::size_t rootLength = 0;
    // Where the part that "<" never cuts ends: the drive root, a share's
    // server ("\\server\"), a volume's or an object's root; npos without one.
    std::size_t topLength = std::wstring::npos;

    bool hasRoot() const { return rootLength > 0; }
    // Needs no current folder to be read.
    bool isFull() const { return kind != Kind::Relative && kind != Kind::DriveRelative; }
    bool isPrefixed() const { return prefixLength > 0; }
};

PathShape shapeOf(std::wstring_view path);

// True for "X:\..." and "\\..." paths: paths that need no current folder.
inline bool isFullPath(std::wstring_view path) { return shapeOf(path).isFull(); }

// True for a name that is "." or "..", which the file system resolves
// against the path instead of naming an entry.
bool isRelativeStep(const std::wstring& item);

}  // namespace twinpath
