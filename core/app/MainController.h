#pragma once

#include <memory>
#include <string>

#include "app/Jobs.h"
#include "ports/BackgroundWork.h"
#include "ports/FileSystem.h"
#include "ports/MainView.h"
#include "ports/ProcessServices.h"
#include "ports/TextServices.h"

namespace twinpath {

// The "<" and ">" buttons: one folder up, or one back down towards the last
// path that was opened.
enum class Level { Up, Down };

// The main window's state and its answers to the user's commands. The window
// calls these one at a time on its own thread; what reads the file system
// runs as jobs of the background work, whose results come back here on the
// same thread.
class MainController {
public:
    MainController(MainView& view, FileSystem& fileSystem, TextServices& text, ProcessServices& process,
                   BackgroundWork& work);
    MainController(const MainController&) = delete;
    MainController& operator=(const MainController&) = delete;

    enum class StartResult { ShowWindow, HandedOff };

    // Reads the command line and hands it to the running copy if there is
    // one. HandedOff: another copy took it, and this copy must end without
    // showing its window.
    StartResult start();
    // Starts reading the command line's path, so that it overlaps the
    // making of the window.
    void readStartPath();
    // Fills the hidden window: the caption's version, and the command line's
    // forms once they have been read.
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
    // "Include Subfolders": turns the whole-tree listing on or off, and copies.
    void toggleSubfolders();
    void selectWholeField(NameField field);
    void onFieldFocused(NameField field);
    // A Copy button's menu: its field's path in every form, greyed where
    // the form cannot be made.
    void onCopyButtonMenu(NameField field);
    // Copies the field's path in the form; a form that cannot be made copies
    // nothing and says why.
    void copyForm(NameField field, PathForm form);

    // Esc: stops the listing, or the reading of a path, that is going on.
    void cancelWork();
    // Called about ten times a second while work is going on: tells of its
    // progress once it has taken a while.
    void onWorkTick();
    // The window is closing: no result that comes back later is applied.
    void close();

    // The ends of the jobs, on the window's thread.
    void onFormsRead(FormsJob& job);
    void onListingDone(ListingJob& job);

private:
    std::wstring inputPathFromCommandLine();
    std::wstring shownForm(NameField field) const;
    void showForms();
    void readForms(const std::wstring& path, bool newInput);
    void startListing();
    // Stops the listing that is going on; unless `quietly`, says that nothing was copied.
    void cancelListing(bool quietly);
    void endListing();
    void tellListingProgress(std::uint64_t now);
    void watchWork();
    RequestState newRequest();
    void goUp(const std::wstring& current);
    void goDown(const std::wstring& current);
    FormedPath formOfField(NameField field, PathForm form);
    // The forms that ask the file system, the part of a copy that may wait
    // on a slow share.
    FormedPath formFromFileSystem(NameField field, PathForm form) const;

    MainView& view_;
    FileSystem& fileSystem_;
    TextServices& text_;
    ProcessServices& process_;
    BackgroundWork& work_;

    std::wstring startPath_;
    bool startRead_ = false;
    LetterCase letterCase_ = LetterCase::Stored;
    // The forms of the path shown, as read: the fields show them in the chosen case.
    ReadForms forms_;
    // The long form of the last opened path: where ">" leads back to.
    std::wstring inputLongForm_;
    std::uint64_t lastRequest_ = 0;
    // The requests going on, if any: a newer one replaces each.
    std::shared_ptr<FormsJob> reading_;
    std::shared_ptr<ListingJob> listing_;
    bool closed_ = false;
};

}  // namespace twinpath
