#include "tests/win32/TempTree.h"

#include <windows.h>
#include <winioctl.h>

#include <stdexcept>

#include "platform/win32/BufferCall.h"
#include "platform/win32/Handles.h"

namespace twinpath::wine {

namespace {

std::wstring extended(const std::wstring& path) { return L"\\\\?\\" + path; }

void removeTree(const std::wstring& folder) {
    WIN32_FIND_DATAW data{};
    win32::UniqueFindHandle search(::FindFirstFileW(extended(folder + L"\\*").c_str(), &data));
    if (search.get() != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring child = folder + L"\\" + name;
            ::SetFileAttributesW(extended(child).c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removeTree(child);
            else
                ::DeleteFileW(extended(child).c_str());
        } while (::FindNextFileW(search.get(), &data));
    }
    ::RemoveDirectoryW(extended(folder).c_str());
}

}  // namespace

TempTree::TempTree() {
    std::wstring temp;
    if (!win32::callWithGrowingBuffer([](wchar_t* b, DWORD n) { return ::GetTempPathW(n, b); }, temp))
        throw std::runtime_error("no temporary folder");
    if (!temp.empty() && temp.back() == L'\\') temp.pop_back();
    // The long form keeps the stored names, so work from the stored form.
    std::wstring longTemp;
    if (win32::callWithGrowingBuffer([&](wchar_t* b, DWORD n) { return ::GetLongPathNameW(temp.c_str(), b, n); },
                                     longTemp))
        temp = longTemp;
    root_ = temp + L"\\twinpath-test-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
            std::to_wstring(::GetTickCount64());
    if (!::CreateDirectoryW(root_.c_str(), nullptr)) throw std::runtime_error("cannot create the test folder");
}

TempTree::~TempTree() { removeTree(root_); }

std::wstring TempTree::addFolder(const std::wstring& relative) {
    std::wstring full = root_;
    std::size_t start = 0;
    while (start <= relative.size()) {
        auto cut = relative.find(L'\\', start);
        if (cut == std::wstring::npos) cut = relative.size();
        full += L"\\" + relative.substr(start, cut - start);
        ::CreateDirectoryW(extended(full).c_str(), nullptr);
        start = cut + 1;
    }
    return full;
}

std::wstring TempTree::addFile(const std::wstring& relative, std::uint64_t size) {
    if (const auto cut = relative.rfind(L'\\'); cut != std::wstring::npos) addFolder(relative.substr(0, cut));
    const std::wstring full = path(relative);
    win32::UniqueHandle file(::CreateFileW(extended(full).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        file.release();
        throw std::runtime_error("cannot create a test file");
    }
    if (size > 0) {
        DWORD returned = 0;
        ::DeviceIoControl(file.get(), FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);
        LARGE_INTEGER end;
        end.QuadPart = static_cast<LONGLONG>(size);
        ::SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN);
        ::SetEndOfFile(file.get());
    }
    return full;
}

std::wstring systemShortPath(const std::wstring& path) {
    std::wstring result;
    win32::callWithGrowingBuffer(
        [&](wchar_t* b, DWORD n) { return ::GetShortPathNameW(extended(path).c_str(), b, n); }, result);
    return result.starts_with(L"\\\\?\\") ? result.substr(4) : result;
}

}  // namespace twinpath::wine
