#include "app/ListingCommand.h"

#include <utility>

#include "app/ReadJob.h"
#include "app/Texts.h"

namespace twinpath {

namespace {

// "Copied 12,345 entries; 2 folders could not be read: <first folder> (<system message>)"
std::wstring unreadFoldersText(const ListingResult& tree) {
    const std::size_t unread = tree.unread.size();
    return texts::kCopied + texts::withThousands(tree.entries) +
           (tree.entries == 1 ? texts::kCopiedEntry : texts::kCopiedEntries) + texts::withThousands(unread) +
           (unread == 1 ? texts::kFolderUnread : texts::kFoldersUnread) + tree.unread.front().folder + L" (" +
           tree.unread.front().message + L")";
}

}  // namespace

ListingCommand::ListingCommand(MainView& view, BackgroundWork& work, std::shared_ptr<FileSystem> fileSystem,
                               std::shared_ptr<TextServices> text, std::function<void()> onWorkChanged,
                               std::function<void()> onProgressGone)
    : view_(view),
      work_(work),
      fileSystem_(std::move(fileSystem)),
      text_(std::move(text)),
      onWorkChanged_(std::move(onWorkChanged)),
      onProgressGone_(std::move(onProgressGone)) {}

void ListingCommand::copy(const std::wstring& folder) {
    // A second List while one runs would only list the same folder again.
    if (!current_) start(folder);
}

void ListingCommand::pickMode(ListMode mode, const std::wstring& folder) {
    mode_ = mode;
    view_.showListChoice(mode_, wholeTree_);
    cancel(true);
    start(folder);
}

void ListingCommand::toggleWholeTree(const std::wstring& folder) {
    wholeTree_ = !wholeTree_;
    view_.showListChoice(mode_, wholeTree_);
    cancel(true);
    start(folder);
}

void ListingCommand::start(const std::wstring& folder) {
    if (closed_) return;
    if (folder.empty()) {
        view_.setFieldText(NameField::Short, texts::kPrompt);
        return;
    }
    view_.restoreWindow();
    view_.bringToFront();
    view_.setBusyPointer(true);
    auto listing = std::make_shared<Running>(work_.now(), folder);
    current_ = listing;
    // The reading holds what it uses: a call stuck on a dead share may
    // return after the window and everything of it have gone.
    twinpath::startReading<ListingResult>(
        work_,
        [fileSystem = fileSystem_, text = text_, listing, mode = mode_, wholeTree = wholeTree_] {
            return runListing(*fileSystem, *text, listing->path, mode, wholeTree, listing->progress);
        },
        [this, listing](ListingResult&& result) { finish(listing, std::move(result)); });
    onWorkChanged_();
}

void ListingCommand::finish(const std::shared_ptr<Running>& listing, ListingResult&& result) {
    // The result of a listing that was stopped or replaced is dropped.
    if (closed_ || listing != current_) return;
    const bool toldProgress = listing->request.toldAt.has_value();
    end();
    // A listing cut short is not the folder's listing: the clipboard keeps
    // what it held, and the window says why.
    if (!result.failure.empty())
        view_.setFieldText(NameField::Short, texts::kCannotList + result.folder + L": " + result.failure);
    else if (!view_.setClipboardText(result.report))
        view_.setFieldText(NameField::Short, texts::kClipboardBusy);
    else if (!result.unread.empty())
        view_.setFieldText(NameField::Short, unreadFoldersText(result));
    else if (toldProgress)
        onProgressGone_();
    view_.setBusyPointer(false);
}

bool ListingCommand::cancel(bool quietly) {
    if (!current_) return false;
    current_->progress.stop = true;
    end();
    view_.setBusyPointer(false);
    if (!quietly) view_.setFieldText(NameField::Short, texts::kListingCancelled);
    return true;
}

void ListingCommand::end() {
    if (current_->request.toldAt) view_.showWorkInTaskbar(false);
    current_.reset();
    onWorkChanged_();
}

void ListingCommand::tick(std::uint64_t now) {
    if (!current_ || !timeToTell(current_->request, now)) return;
    WorkRequest& request = current_->request;
    if (!request.toldAt) view_.showWorkInTaskbar(true);
    request.toldAt = now;
    const ListingProgress& progress = current_->progress;
    const std::wstring& folder =
        progress.folderKnown.load(std::memory_order_acquire) ? progress.folder : current_->path;
    const std::size_t entries = progress.entries.load(std::memory_order_relaxed);
    view_.setFieldText(NameField::Short, texts::kListing + folder + L": " + texts::withThousands(entries) +
                                             (entries == 1 ? texts::kEntry : texts::kEntries));
}

void ListingCommand::close() {
    if (current_) current_->progress.stop = true;
    current_.reset();
    closed_ = true;
}

}  // namespace twinpath
