#include "win32/Win32ProcessServices.h"

#include <windows.h>

#include <chrono>
#include <vector>

#include "paths/CommandLine.h"
#include "win32/DdeClient.h"
#include "win32/InstanceMutex.h"
#include "win32/LongPath.h"

namespace twinpath::win32 {

namespace {

// How long a second copy keeps trying to reach a running copy that may still
// be starting, before it opens its own window instead.
constexpr std::chrono::milliseconds kHandOffPatience{2000};

}  // namespace

Win32ProcessServices::Win32ProcessServices() = default;
Win32ProcessServices::~Win32ProcessServices() = default;

bool Win32ProcessServices::previousInstanceRunning() {
    if (!instance_) instance_ = std::make_unique<InstanceMutex>();
    return instance_->anotherCopyRunning();
}

std::wstring Win32ProcessServices::commandLineArguments() { return argumentsOf(::GetCommandLineW()); }

ProgramVersion Win32ProcessServices::version() {
    // Read from the version resource, so the number lives in one place.
    wchar_t module[MAX_PATH * 4]{};
    if (!::GetModuleFileNameW(nullptr, module, ARRAYSIZE(module))) return {};
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(module, &ignored);
    if (size == 0) return {};
    std::vector<unsigned char> block(size);
    if (!::GetFileVersionInfoW(module, 0, size, block.data())) return {};
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&info), &length) || !info ||
        length < sizeof(VS_FIXEDFILEINFO))
        return {};
    return {HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS), HIWORD(info->dwFileVersionLS)};
}

std::wstring Win32ProcessServices::fullPath(const std::wstring& relativePath) { return fullPathOf(relativePath); }

bool Win32ProcessServices::handOff(const std::wstring& text) { return pokeRunningCopy(text, kHandOffPatience); }

}  // namespace twinpath::win32
