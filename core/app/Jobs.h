#pragma once

// The main controller's file-system work: read off the window's thread, and
// handed back to the controller on it.
#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "listing/FolderLister.h"
#include "listing/ListMode.h"
#include "listing/TreeLister.h"
#include "paths/PathForms.h"
#include "ports/BackgroundWork.h"
#include "ports/FileSystem.h"
#include "ports/TextServices.h"

namespace twinpath {

class MainController;

// What the window shows of a path: its two forms and why the short form
// keeps long items. All empty for a path that cannot be read.
struct ReadForms {
    std::wstring longForm;
    std::wstring shortForm;
    std::wstring hint;
    // The copy forms that only the file system can give, read with the
    // others so that the Copy buttons' menus never wait for it.
    FormedPath longNetworkPath;
    FormedPath shortNetworkPath;
    FormedPath shortFolderLongName;
};

// Fields that only the window's thread reads or writes.
struct RequestState {
    std::uint64_t number = 0;     // which request of the controller this is
    std::uint64_t startedAt = 0;  // on the work's clock
    // When the window last told of the work's progress; nothing before it first did.
    std::optional<std::uint64_t> toldAt;
};

// Reads the forms of a path that was opened or reached with "<" or ">".
class FormsJob final : public Job {
public:
    FormsJob(MainController& owner, FileSystem& fileSystem, std::wstring path, bool newInput)
        : path(std::move(path)), newInput(newInput), owner_(owner), fileSystem_(fileSystem) {}
    void run() override;
    void finish() override;

    const std::wstring path;
    // Opened as input (">" then leads back to it), rather than reached by a level move.
    const bool newInput;
    RequestState request;
    // Set when a newer request replaced this one before it ran.
    std::atomic<bool> stop{false};
    ReadForms forms;  // once run

private:
    MainController& owner_;
    FileSystem& fileSystem_;
};

// Lists, sorts and reports the folder of the shown long form.
class ListingJob final : public Job {
public:
    ListingJob(MainController& owner, FileSystem& fileSystem, TextServices& text, std::wstring path, ListMode mode,
               bool wholeTree)
        : path(std::move(path)),
          mode(mode),
          wholeTree(wholeTree),
          owner_(owner),
          fileSystem_(fileSystem),
          text_(text) {}
    void run() override;
    void finish() override;

    const std::wstring path;
    const ListMode mode;
    // The folder and everything below it, not the folder alone.
    const bool wholeTree;
    RequestState request;
    ListingProgress progress;
    FolderListing listing;  // once run: its folder, and why it failed if it did
    // Once run, for a complete listing: its text, in pieces.
    std::vector<std::wstring> report;
    TreeListing tree;  // once run, for a whole tree: the entries and the folders that could not be read

private:
    MainController& owner_;
    FileSystem& fileSystem_;
    TextServices& text_;
};

}  // namespace twinpath
