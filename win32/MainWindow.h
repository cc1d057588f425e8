#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/MainController.h"
#include "app/WindowLayout.h"
#include "ports/MainView.h"
#include "win32/ButtonHelp.h"
#include "win32/CopyMenu.h"
#include "win32/DropRegistration.h"
#include "win32/DropTarget.h"
#include "win32/HintTip.h"
#include "win32/ModeMenu.h"
#include "win32/TaskbarButton.h"
#include "win32/UiHandles.h"
#include "win32/WorkerThread.h"

namespace twinpath::win32 {

// The window class of the program's one window, which other programs and the
// tests look for.
inline constexpr wchar_t kMainWindowClass[] = L"Twinpath.MainWindow";

// The program's one window: creates the controls, turns messages into calls of
// the main controller and its calls into API calls. It decides nothing of the
// program's rules itself. The work's ended jobs come back through it.
class MainWindow final : public MainView {
public:
    MainWindow(HINSTANCE instance, WorkerThread& work);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // The controller that the window's messages go to; given before create.
    void attach(MainController& controller) { controller_ = &controller; }
    // Creates the window, hidden, with every control.
    bool create();
    HWND hwnd() const { return hwnd_; }
    HWND control(Control control) const { return controls_[static_cast<std::size_t>(control)]; }

    // Shows the window and tells the controller.
    void show(int showCommand);
    // Makes the buttons' tooltips, which nobody reads before the window has
    // come up: the first paint does not wait for them.
    void showHelp();
    // Waits up to `limitMs` for the work started so far, such as the start
    // path's forms, and shows what it found.
    void awaitWork(DWORD limitMs) { work_.awaitIdle(limitMs); }
    // Translates a message for the window (accelerators, dialog keys); true
    // when it was handled and must not be dispatched.
    bool preTranslate(MSG& message);

    // Takes dropped file lists from now on, and names the buttons for screen
    // readers (OLE must be initialised on this thread); the registration ends
    // when the window is destroyed.
    bool acceptDrops();
    IDropTarget* dropTarget() const { return dropTarget_.get(); }
    HWND hintTip() const { return hintTip_.hwnd(); }
    HWND itemsTip() const { return itemsTip_.hwnd(); }
    HWND buttonTips() const { return buttonHelp_.tips(); }
    HMENU modeMenu() const { return modeMenu_.modes(); }
    // A point on the screen over which a drop is taken as input.
    bool acceptsDropAt(POINT screenPoint) const;
    // Input from another program, processed once that program has been
    // answered: a poked argument text once the second copy has its
    // acknowledgement (it would otherwise wait on a slow share, give up and
    // open a window of its own), the paths of a drop once the drag has ended.
    void queuePath(const std::wstring& arguments);
    void queueItems(std::vector<std::wstring> paths);

    std::wstring fieldText(NameField field) const;
    void setFieldText(NameField field, const std::wstring& text) override;
    bool focusField(NameField field) override;
    void selectWholeField(NameField field) override;
    void setShortFormHint(const std::wstring& text) override;
    std::wstring caption() override;
    void setCaption(const std::wstring& text) override;
    void restoreWindow() override;
    void bringToFront() override;
    void setBusyPointer(bool busy) override;
    void setWorkTimer(bool on) override;
    void showWorkInTaskbar(bool working) override;
    void showLetterCase(LetterCase letterCase) override;
    void showListChoice(ListMode mode, bool wholeTree) override;
    void showModeMenu() override;
    void showCopyMenu(NameField field, const std::vector<CopyMenuItem>& items, std::size_t everyItem) override;
    void showSelection(const std::wstring& headingSuffix, const std::wstring& longFieldTip) override;
    using MainView::setClipboardText;
    bool setClipboardText(std::span<const std::wstring> pieces) override;

private:
    // Control c has the ID kFirstControlId + c.
    static constexpr int kFirstControlId = 1000;
    static constexpr UINT kQueuedPathsMessage = WM_APP + 1;
    static constexpr UINT kWorkEndedMessage = WM_APP + 2;
    // Selects the whole text of the field in wParam.
    static constexpr UINT kSelectFieldMessage = WM_APP + 3;
    static constexpr UINT_PTR kWorkTimer = 1;

    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    static LRESULT CALLBACK controlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                        DWORD_PTR self) noexcept;
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleControlMessage(HWND control, UINT message, WPARAM wParam, LPARAM lParam);

    void onCommand(int id, int code, HWND control);
    void onContextMenu(HWND target, LPARAM position);
    void onGetMinMaxInfo(MINMAXINFO& info) const;
    void onWindowPosChanging(WINDOWPOS& position) const;
    void onDpiChanged(int dpi, const RECT& suggested);
    LRESULT onCtlColor(HDC dc);

    void createControls();
    void applyFonts();
    void layoutControls();
    void stretchFields();
    OuterSize limits() const;
    int dpi() const;
    std::optional<Control> controlOf(HWND hwnd) const;
    HWND fieldControl(NameField field) const {
        return control(field == NameField::Long ? Control::LongField : Control::ShortField);
    }
    void openQueuedPaths();

    HINSTANCE instance_;
    HWND hwnd_ = nullptr;
    WorkerThread& work_;
    MainController* controller_ = nullptr;
    TaskbarButton taskbarButton_;
    ModeMenu modeMenu_;
    HintTip hintTip_;
    HintTip itemsTip_;  // over the long field: the items given, and how to paste
    CopyMenu copyMenu_;
    ButtonHelp buttonHelp_;
    UniqueFont fieldFont_;
    UniqueFont controlFont_;
    UniqueAccelerators accelerators_;
    std::array<HWND, kControlCount> controls_{};  // in the order of Control
    bool busy_ = false;
    HWND focusBeforeDeactivation_ = nullptr;
    int dpi_ = USER_DEFAULT_SCREEN_DPI;  // the DPI of the monitor the window is on
    ComPtr<DropTarget> dropTarget_;
    DropRegistration dropRegistration_;
    // What came from other programs, in order: a poked text, or a drop's paths.
    struct Queued {
        std::wstring arguments;
        std::vector<std::wstring> paths;
    };
    std::vector<Queued> queued_;
};

}  // namespace twinpath::win32
