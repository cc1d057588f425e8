#include "listing/clsLngLst.h"

#include "listing/StatusLine.h"
#include "pathname/PathShape.h"

namespace twinpath {

namespace {

// How far the walk up may cut: a path cut shorter than this has left its
// drive ("C:\") or share ("\\server\share\") behind. For other shapes it is
// the length up to the first "\", which keeps a relative walk inside its first
// folder.
std::size_t rootLength(const std::wstring& path) {
    if (path.size() <= 2) return 0;
    if (path[0] == L'\\' && path[1] == L'\\') {
        const auto serverEnd = path.find(L'\\', 2);
        if (serverEnd == std::wstring::npos) return path.size();
        const auto shareEnd = path.find(L'\\', serverEnd + 1);
        return shareEnd == std::wstring::npos ? path.size() : shareEnd + 1;
    }
    const auto first = path.find(L'\\');
    return first == std::wstring::npos ? 0 : first + 1;
}

void resetTables(std::vector<std::wstring>& tblFileName, std::vector<std::wstring>& tblFileStatus) {
    tblFileName.assign(1, std::wstring());
    tblFileStatus.assign(1, std::wstring());
}

}  // namespace

void clsLngLst::pInFileName(const std::wstring& strInFileName) {
    strListPath = fs_.attributes(strInFileName) ? strInFileName : std::wstring();
}

std::optional<std::wstring> clsLngLst::pListFileName(std::vector<std::wstring>& tblFileName,
                                                     std::vector<std::wstring>& tblFileStatus) {
    if (strListPath.empty()) return std::wstring();
    return FillFileTables(strListPath, tblFileName, tblFileStatus);
}

std::optional<std::wstring> clsLngLst::FillFileTables(std::wstring path,
                                                      std::vector<std::wstring>& tblFileName,
                                                      std::vector<std::wstring>& tblFileStatus) {
    const std::size_t rootEnd = rootLength(path);
    const PathHead head = splitHead(path);
    // Kept before the walk cuts into it: a file directly in a drive or share
    // root is listed through that root.
    const std::wstring root =
        head.kind == PathHead::Kind::None ? std::wstring() : path.substr(0, head.length);
    resetTables(tblFileName, tblFileStatus);

    for (;;) {
        const auto bits = fs_.attributes(path);
        if (!bits) return std::nullopt;
        if (*bits & kAttributeDirectory) break;
        const auto cut = path.rfind(L'\\');
        if (cut == std::wstring::npos) return std::nullopt;
        path.resize(cut);
        if (path.size() < rootEnd) {
            if (root.empty()) return std::wstring();
            path = root;
            break;
        }
    }
    Enumerate(path, tblFileName, tblFileStatus);
    return path;
}

void clsLngLst::Enumerate(const std::wstring& folder, std::vector<std::wstring>& tblFileName,
                          std::vector<std::wstring>& tblFileStatus) {
    tblFileName.clear();
    tblFileStatus.clear();
    // The doubled "\" after a root ("C:\\*") is read as one by the file system.
    const auto search = fs_.search(folder + L"\\*");
    FindEntry entry;  // one record for the whole search: its name buffer is reused
    while (search && search->next(entry)) {
        if (entry.name == L"." || entry.name == L"..") continue;
        tblFileStatus.push_back(statusLine(entry, fs_.toLocalTime(entry.lastWriteTime)));
        tblFileName.push_back(entry.name);
    }
    if (tblFileName.empty()) resetTables(tblFileName, tblFileStatus);
}

}  // namespace twinpath
