#include "bench/ScratchSteps.h"

#include <commctrl.h>
#include <ddeml.h>
#include <initguid.h>
#include <ole2.h>
#include <oleacc.h>

#include <cstdio>
#include <cwchar>
#include <utility>
#include <vector>

namespace scratch {

namespace {

struct StepName {
    const wchar_t* name;
    unsigned steps;
};

constexpr StepName kStepNames[] = {
    {L"icon", kIcon},
    {L"face", kFace},
    {L"comctl", kCommonControls},
    {L"subclass", kSubclass | kCommonControls},
    {L"tooltips", kTooltips | kCommonControls},
    {L"menus", kMenus},
    {L"dpi", kDpi},
    {L"thread", kThread},
    {L"mutex", kMutex},
    {L"version", kVersion | kImports},
    {L"dde", kDde},
    {L"ole", kOle},
    {L"names", kNames | kOle},
    {L"repaint", kRepaint},
    {L"imports", kImports},
    {L"report", kReport},
    {L"all", ~0u & ~kReport},
};

// The control IDs of the buttons with tips and names, in the window's order:
// the two copy buttons, the list button, the two level buttons.
constexpr int kTippedButtons[] = {2, 3, 4, 8, 9};
constexpr const wchar_t* kButtonTips[] = {
    L"Copy the long form. Right-click for other forms.", L"Copy the short form. Right-click for other forms.",
    L"Copy a listing of the folder (now: Names). Right-click to choose the format.", L"Up one folder (Alt+Up)",
    L"Back down towards the opened path (Alt+Down)"};
constexpr const wchar_t* kButtonNames[] = {L"Copy long form", L"Copy short form", L"Copy folder listing",
                                           L"Up one folder", L"Down one folder"};

HMODULE systemLibrary(const wchar_t* name) { return ::LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32); }

template <typename Function>
Function find(HMODULE module, const char* name) {
    return module ? reinterpret_cast<Function>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name))) : nullptr;
}

int CALLBACK noteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

LRESULT CALLBACK passOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR defSubclass) {
    return reinterpret_cast<decltype(&::DefSubclassProc)>(defSubclass)(window, message, wParam, lParam);
}

HDDEDATA CALLBACK refuseAll(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) { return nullptr; }

// A drop target that takes nothing: what registering one costs.
class RefusingTarget final : public IDropTarget {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID wanted, void** object) override {
        if (wanted == IID_IUnknown || wanted == IID_IDropTarget) {
            *object = this;
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) override { return refuse(effect); }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override { return refuse(effect); }
    HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject*, DWORD, POINTL, DWORD* effect) override { return refuse(effect); }

private:
    static HRESULT refuse(DWORD* effect) {
        *effect = DROPEFFECT_NONE;
        return S_OK;
    }
};

RefusingTarget refusingTarget;

std::wstring formOf(decltype(&::GetLongPathNameW) convert, const std::wstring& path) {
    std::wstring form(MAX_PATH, L'\0');
    const DWORD length = convert(path.c_str(), form.data(), static_cast<DWORD>(form.size()));
    form.resize(length < form.size() ? length : 0);
    return form;
}

}  // namespace

unsigned stepsOf(const wchar_t*& arguments) {
    constexpr wchar_t kPrefix[] = L"/steps:";
    constexpr std::size_t kPrefixLength = std::size(kPrefix) - 1;
    if (std::wcsncmp(arguments, kPrefix, kPrefixLength) != 0) return 0;
    const wchar_t* cursor = arguments + kPrefixLength;
    const wchar_t* end = cursor + std::wcscspn(cursor, L" ");
    unsigned steps = 0;
    while (cursor < end) {
        const std::size_t length = std::wcscspn(cursor, L", ");
        for (const StepName& step : kStepNames)
            if (std::wcslen(step.name) == length && std::wcsncmp(step.name, cursor, length) == 0) steps |= step.steps;
        cursor += length + (cursor[length] == L',' ? 1 : 0);
    }
    arguments = *end ? end + 1 : end;
    return steps;
}

void Steps::lap(const char* stage) {
    if (!has(kReport)) return;
    LARGE_INTEGER now{};
    LARGE_INTEGER frequency{};
    ::QueryPerformanceCounter(&now);
    ::QueryPerformanceFrequency(&frequency);
    double ms = 0;
    if (lastLap_.QuadPart) {
        ms = static_cast<double>(now.QuadPart - lastLap_.QuadPart) * 1e3 / static_cast<double>(frequency.QuadPart);
    } else {
        // The first stage runs from the process's creation, on the clock that
        // time is kept on.
        FILETIME created{};
        FILETIME exit{};
        FILETIME kernel{};
        FILETIME user{};
        FILETIME system{};
        ::GetProcessTimes(::GetCurrentProcess(), &created, &exit, &kernel, &user);
        ::GetSystemTimePreciseAsFileTime(&system);
        const auto number = [](const FILETIME& time) {
            return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
        };
        ms = static_cast<double>(number(system) - number(created)) / 1e4;
    }
    lastLap_ = now;
    char line[128];
    std::snprintf(line, sizeof(line), "%s\t%.3f\n", stage, ms);
    laps_ += line;
}

void Steps::report() const {
    DWORD written = 0;
    ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), laps_.data(), static_cast<DWORD>(laps_.size()), &written, nullptr);
}

Steps::~Steps() {
    if (names_) names_->Release();
    if (dropWindow_) find<decltype(&::RevokeDragDrop)>(ole_, "RevokeDragDrop")(dropWindow_);
    if (oleStarted_) find<decltype(&::OleUninitialize)>(ole_, "OleUninitialize")();
    if (dde_) ::DdeUninitialize(dde_);
    if (tips_ && ::IsWindow(tips_)) ::DestroyWindow(tips_);
    if (menu_) ::DestroyMenu(menu_);
    if (accelerators_) ::DestroyAcceleratorTable(accelerators_);
    if (mutex_) ::CloseHandle(mutex_);
    if (formsThread_) {
        ::WaitForSingleObject(formsThread_, INFINITE);
        ::CloseHandle(formsThread_);
    }
    for (const HMODULE module : {versionLibrary_, advapi_, ole_, commonControls_})
        if (module) ::FreeLibrary(module);
}

void Steps::beforeWindow() {
    if (has(kImports)) {
        advapi_ = systemLibrary(L"advapi32.dll");
        versionLibrary_ = systemLibrary(L"version.dll");
        lap("ADVAPI32 and VERSION loaded");
    }
    if (has(kMutex)) {
        mutex_ = ::CreateMutexW(nullptr, FALSE, L"Twinpath.ScratchWindow.Instance");
        lap("instance test's mutex");
    }
    if (has(kCommonControls)) {
        commonControls_ = systemLibrary(L"comctl32.dll");
        INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
        if (const auto init = find<decltype(&::InitCommonControlsEx)>(commonControls_, "InitCommonControlsEx"))
            init(&classes);
        lap("comctl32 loaded, InitCommonControlsEx");
    }
    if (has(kMenus)) {
        ACCEL keys[] = {{FALT | FVIRTKEY, VK_UP, 0x7001}, {FALT | FVIRTKEY, VK_DOWN, 0x7002}};
        accelerators_ = ::CreateAcceleratorTableW(keys, 2);
        menu_ = ::CreatePopupMenu();
        const HMENU modes = ::CreatePopupMenu();
        ::AppendMenuW(modes, MF_STRING | MF_CHECKED, 0x7101, L"File Name Only");
        ::AppendMenuW(modes, MF_STRING, 0x7102, L"... and Size,Day");
        ::AppendMenuW(modes, MF_STRING, 0x7103, L"Tab-Separated");
        ::AppendMenuW(modes, MF_SEPARATOR, 0, nullptr);
        ::AppendMenuW(modes, MF_STRING, 0x7104, L"Include Subfolders");
        ::AppendMenuW(menu_, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(modes), L"List Copy");
        lap("accelerators and the mode menu");
    }
    if (has(kVersion)) {
        wchar_t module[MAX_PATH]{};
        DWORD ignored = 0;
        const auto size = find<decltype(&::GetFileVersionInfoSizeW)>(versionLibrary_, "GetFileVersionInfoSizeW");
        const auto read = find<decltype(&::GetFileVersionInfoW)>(versionLibrary_, "GetFileVersionInfoW");
        const auto query = find<decltype(&::VerQueryValueW)>(versionLibrary_, "VerQueryValueW");
        const DWORD bytes = size && ::GetModuleFileNameW(nullptr, module, MAX_PATH) ? size(module, &ignored) : 0;
        std::vector<unsigned char> block(bytes);
        VS_FIXEDFILEINFO* info = nullptr;
        UINT length = 0;
        if (bytes && read && query && read(module, 0, bytes, block.data()) &&
            query(block.data(), L"\\", reinterpret_cast<void**>(&info), &length) && info)
            version_ = L"  Ver." + std::to_wstring(HIWORD(info->dwFileVersionMS)) + L"." +
                       std::to_wstring(LOWORD(info->dwFileVersionMS)) + L"." +
                       std::to_wstring(HIWORD(info->dwFileVersionLS));
        lap("version read from the resource");
    }
}

bool Steps::faceExists(const LOGFONTW& font) {
    const HDC screen = ::GetDC(nullptr);
    if (!screen) return false;
    LOGFONTW query = font;
    bool found = false;
    ::EnumFontFamiliesExW(screen, &query, noteFound, reinterpret_cast<LPARAM>(&found), 0);
    ::ReleaseDC(nullptr, screen);
    return found;
}

void Steps::withControls(const HWND* controls, int count) {
    if (has(kSubclass)) {
        const auto subclass = find<decltype(&::SetWindowSubclass)>(commonControls_, "SetWindowSubclass");
        const auto defSubclass = find<decltype(&::DefSubclassProc)>(commonControls_, "DefSubclassProc");
        // The two fields and the list button.
        for (const int i : {0, 1, 4})
            if (subclass && defSubclass && i < count)
                subclass(controls[i], passOn, static_cast<UINT_PTR>(i), reinterpret_cast<DWORD_PTR>(defSubclass));
        lap("three controls subclassed");
    }
    if (has(kDde)) {
        if (::DdeInitializeW(&dde_, refuseAll,
                             APPCLASS_STANDARD | APPCMD_FILTERINITS | CBF_FAIL_ADVISES | CBF_FAIL_REQUESTS |
                                 CBF_FAIL_EXECUTES | CBF_SKIP_ALLNOTIFICATIONS,
                             0) == DMLERR_NO_ERROR) {
            const HSZ service = ::DdeCreateStringHandleW(dde_, L"TwinpScratch", CP_WINUNICODE);
            ::DdeCreateStringHandleW(dde_, L"LinkMainForm", CP_WINUNICODE);
            ::DdeCreateStringHandleW(dde_, L"LinkLabel", CP_WINUNICODE);
            ::DdeNameService(dde_, service, nullptr, DNS_REGISTER);
        }
        lap("DDE server, service registered");
    }
}

DWORD WINAPI Steps::readForms(void* steps) {
    auto& self = *static_cast<Steps*>(steps);
    ::GetFileAttributesW(self.formsPath_.c_str());
    self.longForm_ = formOf(::GetLongPathNameW, self.formsPath_);
    self.shortForm_ = formOf(::GetShortPathNameW, self.formsPath_);
    return 0;
}

void Steps::startForms(const std::wstring& path) {
    formsPath_ = path;
    formsThread_ = ::CreateThread(nullptr, 0, readForms, this, 0, nullptr);
}

void Steps::awaitForms(std::wstring& longForm, std::wstring& shortForm) {
    if (!formsThread_) return;
    ::WaitForSingleObject(formsThread_, INFINITE);
    ::CloseHandle(std::exchange(formsThread_, nullptr));
    longForm = longForm_;
    shortForm = shortForm_;
}

void Steps::afterShow(HWND window, const HWND* controls, int count) {
    if (has(kRepaint)) {
        ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        lap("a second full paint");
    }
    if (has(kTooltips)) {
        tips_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr, nullptr,
                                  nullptr);
        for (std::size_t i = 0; tips_ && i < std::size(kTippedButtons); ++i) {
            if (kTippedButtons[i] >= count) continue;
            TTTOOLINFOW tool{};
            tool.cbSize = sizeof(tool);
            tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
            tool.hwnd = window;
            tool.uId = reinterpret_cast<UINT_PTR>(controls[kTippedButtons[i]]);
            tool.lpszText = const_cast<wchar_t*>(kButtonTips[i]);
            ::SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        }
        if (tips_) ::SendMessageW(tips_, WM_SETFONT, ::SendMessageW(controls[2], WM_GETFONT, 0, 0), TRUE);
        lap("buttons' tooltip window, five tools");
    }
    if (has(kOle)) {
        ole_ = systemLibrary(L"ole32.dll");
        const auto initialize = find<decltype(&::OleInitialize)>(ole_, "OleInitialize");
        oleStarted_ = initialize && SUCCEEDED(initialize(nullptr));
        const auto registerTarget = find<decltype(&::RegisterDragDrop)>(ole_, "RegisterDragDrop");
        if (oleStarted_ && registerTarget && SUCCEEDED(registerTarget(window, &refusingTarget))) dropWindow_ = window;
        lap("OLE initialised, drop target");
    }
    if (has(kNames) && oleStarted_) {
        const auto create = find<decltype(&::CoCreateInstance)>(ole_, "CoCreateInstance");
        IAccPropServices* services = nullptr;
        if (create && SUCCEEDED(create(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                       reinterpret_cast<void**>(&services)))) {
            names_ = services;
            for (std::size_t i = 0; i < std::size(kTippedButtons); ++i)
                if (kTippedButtons[i] < count)
                    services->SetHwndPropStr(controls[kTippedButtons[i]], static_cast<DWORD>(OBJID_CLIENT),
                                             CHILDID_SELF, PROPID_ACC_NAME, kButtonNames[i]);
        }
        lap("buttons' names (accessibility)");
    }
}

bool Steps::translate(HWND window, MSG& message) const {
    return accelerators_ && ::TranslateAcceleratorW(window, accelerators_, &message);
}

}  // namespace scratch
