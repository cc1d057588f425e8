#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "app/ListingRun.h"
#include "app/WorkRequest.h"
#include "ports/BackgroundWork.h"
#include "ports/FileSystem.h"
#include "ports/MainView.h"
#include "ports/TextServices.h"
#include "values/ListMode.h"

namespace twinpath {

// The List button and its menu: the listing of the shown folder goes to the
// clipboard in the chosen mode, of the folder alone or of its whole tree.
// The mode and the switch live here; the menu only shows them. A listing
// runs as background work, tells of its progress once it takes a while, and
// Esc, a new path or closing stop it with the clipboard left as it was.
class ListingCommand {
public:
    // `onWorkChanged` is told when a listing begins or ends; `onProgressGone`
    // when the short-form field must show the shown form again, after it told
    // of the progress.
    ListingCommand(MainView& view, BackgroundWork& work, std::shared_ptr<FileSystem> fileSystem,
                   std::shared_ptr<TextServices> text, std::function<void()> onWorkChanged,
                   std::function<void()> onProgressGone);

    ListMode mode() const { return mode_; }
    bool wholeTree() const { return wholeTree_; }
    bool running() const { return current_ != nullptr; }

    // List: lists `folder` (the shown long form), unless a listing runs.
    void copy(const std::wstring& folder);
    // A mode picked, or "Include Subfolders" toggled: a listing in the other
    // mode stops, and `folder` is listed in the new one.
    void pickMode(ListMode mode, const std::wstring& folder);
    void toggleWholeTree(const std::wstring& folder);
    // Stops the listing that runs, if one does; unless `quietly`, says that
    // nothing was copied. False when none ran.
    bool cancel(bool quietly);
    // About ten times a second while a listing runs.
    void tick(std::uint64_t now);
    // The window is closing: no result is applied any more.
    void close();

private:
    struct Running {
        explicit Running(std::uint64_t startedAt, std::wstring path) : request(startedAt), path(std::move(path)) {}
        WorkRequest request;
        const std::wstring path;
        ListingProgress progress;
    };

    void start(const std::wstring& folder);
    void finish(const std::shared_ptr<Running>& listing, ListingResult&& result);
    void end();

    MainView& view_;
    BackgroundWork& work_;
    std::shared_ptr<FileSystem> fileSystem_;
    std::shared_ptr<TextServices> text_;
    std::function<void()> onWorkChanged_;
    std::function<void()> onProgressGone_;
    ListMode mode_ = ListMode::NamesOnly;
    bool wholeTree_ = false;
    std::shared_ptr<Running> current_;
    bool closed_ = false;
};

}  // namespace twinpath
