#pragma once

#include <memory>
#include <optional>
#include <string>

#include "app/EveryItemCopy.h"
#include "app/FormsRead.h"
#include "app/ListingCommand.h"
#include "app/SelectionRead.h"
#include "app/WorkRequest.h"
#include "ports/BackgroundWork.h"
#include "ports/FileSystem.h"
#include "ports/MainView.h"
#include "ports/ProcessServices.h"
#include "ports/TextServices.h"

namespace twinpath {

// The "<" and ">" buttons: one folder up, or one back down towards the last
// path that was opened.
enum class Level { Up, Down };

// The main window's state and its answers to the user's commands: start-up,
// the forms of the shown path and their case, copying them, and the levels;
// the listing's commands go to its ListingCommand. The window calls these one
// at a time on its own thread. What reads the file system runs as background
// work, whose results come back here on the same thread; the file system is
// never called here.
class MainController {
public:
    MainController(MainView& view, BackgroundWork& work, std::shared_ptr<FileSystem> fileSystem,
                   std::shared_ptr<TextServices> text, ProcessServices& process);
    MainController(const MainController&) = delete;
    MainController& operator=(const MainController&) = delete;

    enum class StartResult { ShowWindow, HandedOff };

    // Reads the command line and hands its items to the running copy if
    // there is one. HandedOff: another copy took them, and this copy must
    // end without making its window.
    StartResult start();
    // Starts reading the command line's items, so that it overlaps the
    // making of the window.
    void readStartPath();
    // Fills the hidden window: the caption's version, and the command line's
    // forms once they have been read.
    void showStartPath();
    // The window has just been shown.
    void onShown();

    // Shows the items of a second start's argument text: the text as one
    // path when it names one that can be read, else each of its arguments.
    void openArguments(const std::wstring& arguments);
    // Shows the items of a drop or a paste, the first that can be read as a
    // single path is shown; the same items given twice are shown again.
    void openItems(std::vector<std::wstring> paths);
    // Ctrl+V: the clipboard's items, or nothing when another program held it.
    void paste(const std::optional<std::vector<std::wstring>>& items);

    void selectCase(LetterCase letterCase);
    void copyField(NameField field);
    void moveLevel(Level level);
    void onFieldFocused(NameField field);
    // A Copy button's menu: its field's path in every form, greyed where
    // the form cannot be made.
    void onCopyButtonMenu(NameField field);
    // Copies the field's path in the form, or with `everyItem` the form of
    // every item taken; a form that cannot be made copies nothing and says why.
    void copyForm(NameField field, PathForm form, bool everyItem = false);

    // The List button, its mode menu and "Include Subfolders".
    void copyListing();
    void onListButtonRightClick();
    void pickListMode(ListMode mode);
    void toggleSubfolders();
    const ListingCommand& listing() const { return listing_; }

    // Esc: stops the listing, or the reading of a path, that is going on.
    void cancelWork();
    // Called about ten times a second while work is going on: tells of its
    // progress once it has taken a while.
    void onWorkTick();
    // The window is closing: no result that comes back later is applied.
    void close();

private:
    struct Reading {
        Reading(std::uint64_t startedAt, std::wstring told, bool newInput)
            : request(startedAt), told(std::move(told)), newInput(newInput) {}
        WorkRequest request;
        // What "Reading …" names while one item is read.
        const std::wstring told;
        // Opened as input (">" then leads back to it), rather than reached
        // by a level move.
        const bool newInput;
        SelectionProgress progress;
    };

    // The start's argument text as items, each relative one made full here.
    ItemsOf startItems(const std::wstring& arguments);
    void readItems(ItemsOf itemsOf, std::wstring told, bool newInput);
    void itemsRead(const std::shared_ptr<Reading>& reading, ReadSelection&& read);
    void tellReading(std::uint64_t now);
    std::wstring shownForm(NameField field) const;
    void showForms();
    void readPath(const std::wstring& path);
    void watchWork();
    void goUp(const std::wstring& current);
    void goDown(const std::wstring& current);
    FormedPath formOfField(NameField field, PathForm form);
    // The forms that ask the file system, read with the path.
    FormedPath formFromFileSystem(NameField field, PathForm form) const;

    MainView& view_;
    BackgroundWork& work_;
    // Only handed to the work: the window's thread never waits on it.
    std::shared_ptr<FileSystem> fileSystem_;
    std::shared_ptr<TextServices> text_;
    ProcessServices& process_;
    ListingCommand listing_;
    EveryItemCopy everyItem_;

    ItemsOf startItems_;
    // What "Reading …" names while the start's items are found.
    std::wstring startTold_;
    bool startRead_ = false;
    LetterCase letterCase_ = LetterCase::Stored;
    // The items given, and the forms of the one shown, as read: the fields
    // show them in the chosen case.
    Selection selection_;
    ReadForms forms_;
    // The long form of the last opened path: where ">" leads back to.
    std::wstring inputLongForm_;
    // The reading going on, if any: a newer one replaces it.
    std::shared_ptr<Reading> reading_;
    bool closed_ = false;
};

}  // namespace twinpath
