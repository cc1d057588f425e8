#pragma once

// The steps of the program's start that the window written from scratch can
// add, one at a time, each written from the documented calls as the program
// makes them: what each one costs is the difference it makes to that
// window's start.
#include <windows.h>

#include <unknwn.h>

#include <string>

namespace scratch {

enum Step : unsigned {
    kIcon = 1u << 0,            // the class with the program's icon, large and small
    kFace = 1u << 1,            // the fields' face looked for by a font enumeration first
    kCommonControls = 1u << 2,  // comctl32 loaded, InitCommonControlsEx with the bar classes
    kSubclass = 1u << 3,        // the fields and the list button subclassed
    kTooltips = 1u << 4,        // the buttons' tooltip window with its five tools
    kMenus = 1u << 5,           // the accelerators and the list mode's popup menu
    kDpi = 1u << 6,             // the font at the window's DPI, the frame asked at every size change
    kThread = 1u << 7,          // the forms read on a thread of their own, awaited
    kMutex = 1u << 8,           // the instance test's named mutex
    kVersion = 1u << 9,         // the caption's version read from the file's version resource
    kDde = 1u << 10,            // a DDE server instance with its service name registered
    kOle = 1u << 11,            // OLE initialised, a drop target registered
    kNames = 1u << 12,          // the buttons' names for screen readers (an OLE object)
    kRepaint = 1u << 13,        // a second full paint after the first: what one paint costs
    kImports = 1u << 14,        // ADVAPI32 and VERSION loaded, which the program imports
    kReport = 1u << 15,         // each stage timed, written to the standard output at the first idle
};

// "/steps:icon,face,..." at the start of the command line; the rest is the
// path. A step that needs another brings it.
unsigned stepsOf(const wchar_t*& arguments);

// What the steps hold, released when the program ends.
class Steps {
public:
    explicit Steps(unsigned steps) : steps_(steps) {}
    ~Steps();
    Steps(const Steps&) = delete;
    Steps& operator=(const Steps&) = delete;

    bool has(Step step) const { return (steps_ & step) != 0; }
    // When reporting: the time since the last lap (the first: since the
    // process was created) is that stage's.
    void lap(const char* stage);
    // Writes the stages' times as "stage<TAB>ms" lines to the standard output.
    void report() const;

    // Before the window: libraries, the instance test, the version.
    void beforeWindow();
    // Whether the font of that LOGFONT exists, as an enumeration finds it.
    static bool faceExists(const LOGFONTW& font);
    // Once the controls exist; `controls` in the window's order.
    void withControls(const HWND* controls, int count);
    // The forms of `path`, read on a thread of their own while the window is
    // made, and awaited before it shows.
    void startForms(const std::wstring& path);
    void awaitForms(std::wstring& longForm, std::wstring& shortForm);
    // Text for the caption, after the program's name.
    std::wstring versionText() const { return version_; }
    // Once the window has shown and painted.
    void afterShow(HWND window, const HWND* controls, int count);
    // The message loop's own translation; true when handled.
    bool translate(HWND window, MSG& message) const;

private:
    unsigned steps_;
    HMODULE commonControls_ = nullptr;
    HMODULE ole_ = nullptr;
    HMODULE advapi_ = nullptr;
    HMODULE versionLibrary_ = nullptr;
    HANDLE mutex_ = nullptr;
    HANDLE formsThread_ = nullptr;
    std::wstring formsPath_;
    std::wstring longForm_;
    std::wstring shortForm_;
    HACCEL accelerators_ = nullptr;
    HMENU menu_ = nullptr;
    HWND tips_ = nullptr;
    DWORD dde_ = 0;
    bool oleStarted_ = false;
    HWND dropWindow_ = nullptr;
    IUnknown* names_ = nullptr;
    std::wstring version_;
    LARGE_INTEGER lastLap_{};
    std::string laps_;

    static DWORD WINAPI readForms(void* steps);
};

}  // namespace scratch
