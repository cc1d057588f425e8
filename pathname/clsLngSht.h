#pragma once

#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace twinpath {

// Turns one input path into its long form (every component below the head
// spelt as the file system stores it) and its short (8.3) form. The input is
// validated once when it is set; both forms are computed anew on every read.
class clsLngSht {
public:
    explicit clsLngSht(FileSystem& fileSystem) : fs_(fileSystem) {}

    // Stores the text exactly as given when its attributes can be read,
    // otherwise the empty path.
    void pInFileName(const std::wstring& strInFileName);

    std::wstring pLongFileName() const;
    std::wstring pShortFileName() const;

private:
    std::wstring GetShortName(const std::wstring& path) const;
    std::wstring GetLongName(const std::wstring& path) const;
    static std::wstring JoinItems(const std::vector<std::wstring>& items, const std::wstring& separator,
                                  int first, int last);

    std::wstring storedName(const std::wstring& lookupPath, const std::wstring& typedItem) const;

    FileSystem& fs_;
    std::wstring strPathName;
};

}  // namespace twinpath
