#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "app/FormLayout.h"
#include "app/TwinpathF.h"
#include "platform/WindowToolkit.h"
#include "platform/win32/DropRegistration.h"
#include "platform/win32/DropTarget.h"
#include "platform/win32/ModeMenu.h"
#include "platform/win32/UiHandles.h"

namespace twinpath::win32 {

// The program's one window: creates the controls, turns messages into calls of
// the TwinpathF handlers and handler calls into API calls. It decides nothing
// of the program's rules itself.
class MainWindow final : public WindowToolkit {
public:
    MainWindow(HINSTANCE instance, FileSystem& fileSystem, TextServices& text, ProcessServices& process);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Creates the window, hidden, with every control.
    bool create();
    HWND hwnd() const { return hwnd_; }
    TwinpathF& form() { return form_; }
    HWND control(ControlGroup group, int index) const;

    // Shows the window and raises the activation handler.
    void show(int showCommand);
    // Translates a message for the window (accelerators, dialog keys); true
    // when it was handled and must not be dispatched.
    bool preTranslate(MSG& message);

    // Takes dropped file lists from now on (OLE must be initialised on this
    // thread); the registration ends when the window is destroyed.
    bool acceptDrops();
    IDropTarget* dropTarget() const { return dropTarget_.get(); }
    // A point on the screen over which a drop is taken as input.
    bool acceptsDropAt(POINT screenPoint) const;
    // Input from another program, processed once that program has been
    // answered: the first path of a drop once the drag has ended, a poked path
    // once the second copy has its acknowledgement (it would otherwise wait
    // on a slow share, give up and open a window of its own).
    void queueDrop(const std::wstring& path);
    void queuePoke(const std::wstring& text);

    std::wstring fieldText(int index) override;
    void setFieldText(int index, const std::wstring& text) override;
    bool focusField(int index) override;
    void selectInField(int index, int start, int length) override;
    std::wstring caption() override;
    void setCaption(const std::wstring& text) override;
    void restoreWindow() override;
    void bringToFront() override;
    void setBusyPointer(bool busy) override;
    void selectOption(int index) override;
    bool modeChecked(int index) override;
    void setModeChecked(int index, bool checked) override;
    void showModeMenu() override;
    void pumpMessages() override;
    bool clearClipboard() override;
    bool setClipboardText(const std::wstring& text) override;

private:
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
    int controlIndexOf(HWND control, ControlGroup group) const;
    void processQueuedInput();

    HINSTANCE instance_;
    HWND hwnd_ = nullptr;
    TwinpathF form_;
    ModeMenu modeMenu_;
    UniqueFont fieldFont_;
    UniqueFont controlFont_;
    UniqueAccelerators accelerators_;
    std::array<HWND, 14> controls_{};  // in the order of controlTable()
    bool busy_ = false;
    int dpi_ = USER_DEFAULT_SCREEN_DPI;  // the DPI of the monitor the window is on
    ComPtr<DropTarget> dropTarget_;
    DropRegistration dropRegistration_;
    struct QueuedInput {
        std::wstring text;
        bool dropped;
    };
    std::vector<QueuedInput> queuedInput_;
};

}  // namespace twinpath::win32
