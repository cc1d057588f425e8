// The list-copy command and its mode menu: the listing of the shown path's
// folder goes to the clipboard as text.
#include <exception>

#include "app/MainController.h"
#include "app/Texts.h"
#include "listing/ListingOrder.h"
#include "listing/ListingReport.h"

namespace twinpath {

namespace {

// Restores the default pointer on every way out of the command.
class BusyPointer {
public:
    explicit BusyPointer(MainView& view) : view_(view) { view_.setBusyPointer(true); }
    ~BusyPointer() { view_.setBusyPointer(false); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    MainView& view_;
};

}  // namespace

void MainController::copyListing() {
    if (view_.fieldText(NameField::Long).empty()) {
        view_.setFieldText(NameField::Short, texts::kPrompt);
        return;
    }
    view_.restoreWindow();
    view_.bringToFront();
    const BusyPointer busy(view_);

    FolderListing listing;
    std::wstring report;
    try {
        listing = lister_.list(view_.fieldText(NameField::Long));
        sortListing(listing, text_);
        if (listing.failure.empty()) report = buildListingReport(listing, view_.listMode());
    } catch (const std::exception&) {
        listing.failure = texts::kOutOfMemory;
    }

    // A listing cut short is not the folder's listing: the clipboard keeps
    // what it held, and the window says why.
    if (!listing.failure.empty()) {
        view_.setFieldText(NameField::Short, texts::kCannotList + listing.folder + L": " + listing.failure);
        return;
    }
    if (!view_.setClipboardText(report)) view_.setFieldText(NameField::Short, texts::kClipboardBusy);
}

void MainController::onListButtonRightClick() { view_.showModeMenu(); }

void MainController::pickListMode(ListMode mode) {
    view_.setListMode(mode);
    copyListing();
}

}  // namespace twinpath
