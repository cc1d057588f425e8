#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace twinpath::wine {

// A snapshot is a sorted list of lines, one per folder, file, registry key
// or value, holding everything the line's subject shows to a reader; two
// snapshots are equal when nothing was written in between.
using Snapshot = std::vector<std::wstring>;

// Every folder and file below `root`: its relative name, attributes, size,
// creation and last-write times, and a file's bytes. Access times are left
// out: reading alone moves them, here and in every other reader.
Snapshot snapshotTree(const std::wstring& root);

struct KeyCloser {
    using pointer = HKEY;
    void operator()(HKEY key) const noexcept { ::RegCloseKey(key); }
};
using UniqueKey = std::unique_ptr<HKEY, KeyCloser>;

// Registry state that is left out of a snapshot: a key with everything below
// it (no value named), or one value of a key together with the key's
// last-write time, which moves with the value. Paths are relative to the
// snapshot's root key and compared ignoring case.
struct LeftOut {
    std::wstring key;
    std::wstring value = {};
};

// Every key at and below `path` under `root`, with its class and last-write
// time, and every value with its type and bytes, but for what `leftOut` names.
Snapshot snapshotRegistry(HKEY root, const std::wstring& rootName, const std::wstring& path,
                          const std::vector<LeftOut>& leftOut = {});

// The lines only in `before` ("- ") and only in `after` ("+ "), for a
// readable failure.
std::wstring differences(const Snapshot& before, const Snapshot& after);

}  // namespace twinpath::wine
