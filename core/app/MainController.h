#pragma once

#include <string>

#include "listing/FolderLister.h"
#include "paths/PathConverter.h"
#include "ports/FileSystem.h"
#include "ports/MainView.h"
#include "ports/ProcessServices.h"
#include "ports/TextServices.h"

namespace twinpath {

// The "<" and ">" buttons: one folder up, or one back down towards the last
// path that was opened.
enum class Level { Up, Down };

// The main window's state and its answers to the user's commands. The window
// calls these one at a time on its own thread.
class MainController {
public:
    MainController(MainView& view, FileSystem& fileSystem, TextServices& text, ProcessServices& process);
    MainController(const MainController&) = delete;
    MainController& operator=(const MainController&) = delete;

    enum class StartResult { ShowWindow, HandedOff };

    // Reads the command line and hands it to the running copy if there is
    // one. HandedOff: another copy took it, and this copy must end without
    // showing its window.
    StartResult start();
    // Fills the hidden window: the caption's version and the command line's
    // path. The first conversion can take seconds (a sleeping disk, a slow
    // share), so the hand-off service should answer before this runs.
    void showStartPath();
    // The window has just been shown.
    void onShown();

    // Shows a path that arrived from the command line, a second copy or a
    // drop; the same path given twice is shown again.
    void openPath(const std::wstring& path);

    void selectCase(LetterCase letterCase);
    void copyField(NameField field);
    void moveLevel(Level level);
    void copyListing();
    void onListButtonRightClick();
    void pickListMode(ListMode mode);
    void selectWholeField(NameField field);
    void onFieldFocused(NameField field);
    // A Copy button's menu: its field's path in every form, greyed where
    // the form cannot be made.
    void onCopyButtonMenu(NameField field);
    // Copies the field's path in the form; a form that cannot be made copies
    // nothing and says why.
    void copyForm(NameField field, PathForm form);

private:
    std::wstring inputPathFromCommandLine();
    void showForms();
    void goUp(const std::wstring& current);
    void goDown(const std::wstring& current);
    FormedPath formOfField(NameField field, PathForm form);
    // The forms that ask the file system, the part of a copy that may wait
    // on a slow share.
    FormedPath formFromFileSystem(PathForm form, const std::wstring& shown);

    MainView& view_;
    FileSystem& fileSystem_;
    TextServices& text_;
    ProcessServices& process_;
    PathConverter converter_;
    FolderLister lister_;

    std::wstring startPath_;
    LetterCase letterCase_ = LetterCase::Stored;
    // The long form of the last opened path: where ">" leads back to.
    std::wstring inputLongForm_;
};

}  // namespace twinpath
