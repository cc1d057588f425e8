// The list-copy command and its mode menu: the listing of the shown path's
// folder goes to the clipboard as text.
#include <exception>

#include "app/MainController.h"
#include "app/Texts.h"
#include "listing/ListingReport.h"
#include "listing/PairedSort.h"

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
    view_.clearClipboard();

    FolderListing listing;
    // A failing step is passed over: what was listed so far is reported, and
    // the clipboard and the pointer are always dealt with.
    try {
        listing = lister_.list(view_.fieldText(NameField::Long));
        if (!listing.names.empty())
            sortPaired(listing.entryLines, listing.names, 0, static_cast<std::int32_t>(listing.names.size()) - 1,
                       text_);
    } catch (const std::exception&) {
        listing.names.clear();
        listing.entryLines.clear();
    }

    std::wstring report;
    try {
        report = buildListingReport(listing, view_.listMode());
    } catch (const std::exception&) {
        report.clear();
    }

    view_.clearClipboard();
    view_.setClipboardText(report);
}

void MainController::onListButtonRightClick() { view_.showModeMenu(); }

void MainController::pickListMode(ListMode mode) {
    view_.setListMode(mode);
    copyListing();
}

}  // namespace twinpath
