// The list-copy command and its mode menu: the listing of the shown path's
// folder goes to the clipboard as text.
#include "app/MainController.h"
#include "app/Texts.h"

namespace twinpath {

namespace {

// "Copied 12,345 entries; 2 folders could not be read: <first folder> (<system message>)"
std::wstring unreadFoldersText(const TreeListing& tree) {
    const std::size_t unread = tree.unread.size();
    return texts::kCopied + texts::withThousands(tree.entries) +
           (tree.entries == 1 ? texts::kCopiedEntry : texts::kCopiedEntries) + texts::withThousands(unread) +
           (unread == 1 ? texts::kFolderUnread : texts::kFoldersUnread) + tree.unread.front().folder + L" (" +
           tree.unread.front().message + L")";
}

}  // namespace

void MainController::copyListing() {
    // A second List while one runs would only list the same folder again.
    if (listing_) return;
    startListing();
}

void MainController::startListing() {
    const std::wstring folder = shownForm(NameField::Long);
    if (folder.empty()) {
        view_.setFieldText(NameField::Short, texts::kPrompt);
        return;
    }
    view_.restoreWindow();
    view_.bringToFront();
    view_.setBusyPointer(true);
    listing_ =
        std::make_shared<ListingJob>(*this, fileSystem_, text_, folder, view_.listMode(), view_.includeSubfolders());
    listing_->request = newRequest();
    work_.start(listing_);
    watchWork();
}

void MainController::onListingDone(ListingJob& job) {
    if (closed_ || !listing_ || job.request.number != listing_->request.number) return;
    const bool toldProgress = listing_->request.toldAt.has_value();
    endListing();
    // A listing cut short is not the folder's listing: the clipboard keeps
    // what it held, and the window says why.
    if (!job.listing.failure.empty())
        view_.setFieldText(NameField::Short, texts::kCannotList + job.listing.folder + L": " + job.listing.failure);
    else if (!view_.setClipboardText(job.report))
        view_.setFieldText(NameField::Short, texts::kClipboardBusy);
    else if (!job.tree.unread.empty())
        view_.setFieldText(NameField::Short, unreadFoldersText(job.tree));
    else if (toldProgress)
        showForms();
    view_.setBusyPointer(false);
}

void MainController::cancelListing(bool quietly) {
    if (!listing_) return;
    listing_->progress.stop = true;
    endListing();
    view_.setBusyPointer(false);
    if (!quietly) view_.setFieldText(NameField::Short, texts::kListingCancelled);
}

void MainController::endListing() {
    if (listing_->request.toldAt) view_.showWorkInTaskbar(false);
    listing_.reset();
    watchWork();
}

void MainController::onListButtonRightClick() { view_.showModeMenu(); }

void MainController::toggleSubfolders() {
    view_.setIncludeSubfolders(!view_.includeSubfolders());
    cancelListing(true);
    startListing();
}

void MainController::pickListMode(ListMode mode) {
    view_.setListMode(mode);
    // A pick asks for the listing in that mode: one going on in another stops.
    cancelListing(true);
    startListing();
}

}  // namespace twinpath
