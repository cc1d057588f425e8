#include "tests/win32/Snapshot.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "platform/win32/Handles.h"

namespace twinpath::wine {

namespace {

std::wstring hex(const void* bytes, std::size_t size) {
    static constexpr wchar_t kDigits[] = L"0123456789abcdef";
    std::wstring text;
    text.reserve(size * 2);
    for (std::size_t i = 0; i < size; ++i) {
        const auto byte = static_cast<const unsigned char*>(bytes)[i];
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0xF];
    }
    return text;
}

std::wstring number(std::uint64_t value) { return std::to_wstring(value); }

std::uint64_t ticks(const FILETIME& time) {
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

std::wstring extended(const std::wstring& path) { return L"\\\\?\\" + path; }

std::wstring contentsOf(const std::wstring& path) {
    win32::UniqueHandle file(::CreateFileW(extended(path).c_str(), GENERIC_READ,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                           OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        file.release();
        return L"(unreadable)";
    }
    std::wstring text;
    char buffer[65536];
    DWORD read = 0;
    while (::ReadFile(file.get(), buffer, sizeof(buffer), &read, nullptr) && read > 0)
        text += hex(buffer, read);
    return text;
}

void addTree(const std::wstring& root, const std::wstring& relative, Snapshot& lines) {
    const std::wstring folder = relative.empty() ? root : root + L"\\" + relative;
    WIN32_FIND_DATAW entry{};
    const win32::UniqueFindHandle search(::FindFirstFileW(extended(folder + L"\\*").c_str(), &entry));
    if (search.get() == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring path = relative.empty() ? name : relative + L"\\" + name;
        const bool isFolder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        std::wstring line = path + L" | attributes " + number(entry.dwFileAttributes) + L" | created " +
                            number(ticks(entry.ftCreationTime)) + L" | written " +
                            number(ticks(entry.ftLastWriteTime));
        if (!isFolder) {
            const std::uint64_t size =
                (static_cast<std::uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
            line += L" | size " + number(size) + L" | bytes " + contentsOf(root + L"\\" + path);
        }
        lines.push_back(line);
        if (isFolder) addTree(root, path, lines);
    } while (::FindNextFileW(search.get(), &entry));
}

bool sameIgnoringCase(const std::wstring& a, const std::wstring& b) {
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                  static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

// Whether `path` is `key` or lies below it.
bool within(const std::wstring& path, const std::wstring& key) {
    return sameIgnoringCase(path.substr(0, key.size()), key) &&
           (path.size() == key.size() || path[key.size()] == L'\\');
}

bool leavesOutKey(const std::vector<LeftOut>& leftOut, const std::wstring& path) {
    return std::any_of(leftOut.begin(), leftOut.end(),
                       [&](const LeftOut& l) { return l.value.empty() && within(path, l.key); });
}

bool leavesOutValueOf(const std::vector<LeftOut>& leftOut, const std::wstring& path) {
    return std::any_of(leftOut.begin(), leftOut.end(),
                       [&](const LeftOut& l) { return !l.value.empty() && sameIgnoringCase(path, l.key); });
}

bool leavesOutValue(const std::vector<LeftOut>& leftOut, const std::wstring& path,
                    const std::wstring& value) {
    return std::any_of(leftOut.begin(), leftOut.end(), [&](const LeftOut& l) {
        return !l.value.empty() && sameIgnoringCase(path, l.key) && sameIgnoringCase(value, l.value);
    });
}

void addKey(HKEY parent, const std::wstring& rootName, const std::wstring& path,
            const std::vector<LeftOut>& leftOut, Snapshot& lines) {
    if (leavesOutKey(leftOut, path)) return;
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(parent, path.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &opened) != ERROR_SUCCESS) {
        lines.push_back(rootName + L"\\" + path + L" (unreadable)");
        return;
    }
    const UniqueKey key(opened);
    wchar_t keyClass[1024]{};
    DWORD classLength = static_cast<DWORD>(std::size(keyClass));
    DWORD subkeys = 0;
    DWORD longestSubkey = 0;
    DWORD values = 0;
    DWORD longestName = 0;
    DWORD longestData = 0;
    FILETIME written{};
    ::RegQueryInfoKeyW(key.get(), keyClass, &classLength, nullptr, &subkeys, &longestSubkey, nullptr, &values,
                       &longestName, &longestData, nullptr, &written);
    std::wstring keyLine = rootName + L"\\" + path + L" | class " + keyClass;
    if (!leavesOutValueOf(leftOut, path)) keyLine += L" | written " + number(ticks(written));
    lines.push_back(keyLine);

    std::wstring name(longestName + 2, L'\0');
    std::vector<BYTE> data(longestData + 2);
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD dataLength = static_cast<DWORD>(data.size());
        DWORD type = 0;
        const LSTATUS status =
            ::RegEnumValueW(key.get(), i, name.data(), &nameLength, nullptr, &type, data.data(), &dataLength);
        if (status == ERROR_MORE_DATA) {
            // Grown since the count was taken: ask again with room to spare.
            name.resize(name.size() * 2 + 256);
            data.resize(data.size() * 2 + 256);
            --i;
            continue;
        }
        if (status != ERROR_SUCCESS) break;
        if (leavesOutValue(leftOut, path, name.substr(0, nameLength))) continue;
        lines.push_back(rootName + L"\\" + path + L" : [" + name.substr(0, nameLength) + L"] type " +
                        number(type) + L" = " + hex(data.data(), dataLength));
    }

    std::vector<std::wstring> children;
    std::wstring child(longestSubkey + 2, L'\0');
    for (DWORD i = 0;; ++i) {
        DWORD childLength = static_cast<DWORD>(child.size());
        const LSTATUS status =
            ::RegEnumKeyExW(key.get(), i, child.data(), &childLength, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_MORE_DATA) {
            child.resize(child.size() * 2 + 256);
            --i;
            continue;
        }
        if (status != ERROR_SUCCESS) break;
        children.push_back(child.substr(0, childLength));
    }
    for (const auto& c : children)
        addKey(parent, rootName, path.empty() ? c : path + L"\\" + c, leftOut, lines);
}

}  // namespace

Snapshot snapshotTree(const std::wstring& root) {
    Snapshot lines;
    addTree(root, L"", lines);
    std::sort(lines.begin(), lines.end());
    return lines;
}

Snapshot snapshotRegistry(HKEY root, const std::wstring& rootName, const std::wstring& path,
                          const std::vector<LeftOut>& leftOut) {
    Snapshot lines;
    addKey(root, rootName, path, leftOut, lines);
    std::sort(lines.begin(), lines.end());
    return lines;
}

std::wstring differences(const Snapshot& before, const Snapshot& after) {
    Snapshot gone;
    Snapshot added;
    std::set_difference(before.begin(), before.end(), after.begin(), after.end(), std::back_inserter(gone));
    std::set_difference(after.begin(), after.end(), before.begin(), before.end(), std::back_inserter(added));
    std::wstring text;
    for (const auto& line : gone) text += L"- " + line.substr(0, 300) + L"\n";
    for (const auto& line : added) text += L"+ " + line.substr(0, 300) + L"\n";
    return text;
}

}  // namespace twinpath::wine
