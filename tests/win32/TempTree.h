#pragma once

#include <cstdint>
#include <string>

namespace twinpath::wine {

// A folder of its own under the temporary folder, removed with everything in
// it when the object goes. Paths given to it are relative to its root.
class TempTree {
public:
    TempTree();
    ~TempTree();
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::wstring& root() const { return root_; }
    std::wstring path(const std::wstring& relative) const { return root_ + L"\\" + relative; }

    // Creates the folder and every missing folder above it.
    std::wstring addFolder(const std::wstring& relative);
    // Creates a file of `size` bytes (sparse where the volume allows it).
    std::wstring addFile(const std::wstring& relative, std::uint64_t size = 0);

private:
    std::wstring root_;
};

// The short form the system reports for a path, never hard-coded in tests.
std::wstring systemShortPath(const std::wstring& path);

}  // namespace twinpath::wine
