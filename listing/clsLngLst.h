#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace twinpath {

// Lists one folder, the one a stored path names or lies in, into a name table
// and a status table (one status line per entry, see StatusLine.h).
class clsLngLst {
public:
    explicit clsLngLst(FileSystem& fileSystem) : fs_(fileSystem) {}

    // Stores the path when its attributes can be read, otherwise the empty path.
    void pInFileName(const std::wstring& strInFileName);

    // Lists the stored path's folder afresh and returns that folder's path.
    // With nothing stored it returns "" and leaves both tables as they are.
    // Otherwise both tables are replaced: one element per entry in the order
    // the file system delivers them, or the single element "" for a folder
    // without entries. Nothing comes back when the walk up to the folder
    // fails; the tables then hold their single "".
    std::optional<std::wstring> pListFileName(std::vector<std::wstring>& tblFileName,
                                              std::vector<std::wstring>& tblFileStatus);

private:
    std::optional<std::wstring> FillFileTables(std::wstring path, std::vector<std::wstring>& tblFileName,
                                               std::vector<std::wstring>& tblFileStatus);
    void Enumerate(const std::wstring& folder, std::vector<std::wstring>& tblFileName,
                   std::vector<std::wstring>& tblFileStatus);

    FileSystem& fs_;
    std::wstring strListPath;
};

}  // namespace twinpath
