// Telling of work that takes a while, and stopping it: the short-form field
// says what is being read or how far a listing has come, and Esc ends it.
#include "app/MainController.h"
#include "app/Texts.h"

namespace twinpath {

namespace {

// Work that ends sooner is not worth a word: the fields just change.
constexpr std::uint64_t kQuietMs = 300;
// Progress changes no more often than this: faster is only flicker.
constexpr std::uint64_t kProgressEveryMs = 100;

}  // namespace

void MainController::watchWork() { view_.setWorkTimer(!closed_ && (reading_ || listing_)); }

void MainController::onWorkTick() {
    const std::uint64_t now = work_.now();
    if (listing_) tellListingProgress(now);
    if (reading_ && !reading_->request.toldAt && now - reading_->request.startedAt >= kQuietMs) {
        reading_->request.toldAt = now;
        view_.setFieldText(NameField::Short, texts::kReading + reading_->path + texts::kEllipsis);
    }
}

void MainController::tellListingProgress(std::uint64_t now) {
    RequestState& request = listing_->request;
    if (now - request.startedAt < kQuietMs || (request.toldAt && now - *request.toldAt < kProgressEveryMs)) return;
    if (!request.toldAt) view_.showWorkInTaskbar(true);
    request.toldAt = now;
    const ListingProgress& progress = listing_->progress;
    const std::wstring& folder =
        progress.folderKnown.load(std::memory_order_acquire) ? progress.folder : listing_->path;
    const std::size_t entries = progress.entries.load(std::memory_order_relaxed);
    view_.setFieldText(NameField::Short, texts::kListing + folder + L": " + texts::withThousands(entries) +
                                             (entries == 1 ? texts::kEntry : texts::kEntries));
}

void MainController::cancelWork() {
    if (listing_) {
        cancelListing(false);
    } else if (reading_) {
        // The forms shown before stay; so does the path ">" leads back to.
        reading_->stop = true;
        reading_.reset();
        watchWork();
        showForms();
    }
}

void MainController::close() {
    if (reading_) reading_->stop = true;
    if (listing_) listing_->progress.stop = true;
    reading_.reset();
    listing_.reset();
    closed_ = true;
    watchWork();
}

}  // namespace twinpath
