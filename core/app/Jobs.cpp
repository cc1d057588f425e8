#include "app/Jobs.h"

#include <exception>

#include "app/MainController.h"
#include "app/ShortNameHint.h"
#include "app/Texts.h"
#include "listing/ListingOrder.h"
#include "listing/ListingReport.h"
#include "paths/PathConverter.h"

namespace twinpath {

void FormsJob::run() {
    if (stop.load(std::memory_order_relaxed)) return;
    PathConverter converter(fileSystem_);
    converter.setInput(path);
    forms.longForm = converter.longForm();
    forms.shortForm = converter.shortForm(forms.shortFormFailure);
    forms.hint = shortNameHint(fileSystem_, forms.longForm);
    if (forms.longForm.empty()) return;
    forms.longNetworkPath = pathInForm(PathForm::Network, forms.longForm, fileSystem_);
    forms.shortNetworkPath = pathInForm(PathForm::Network, forms.shortForm, fileSystem_);
    forms.shortFolderLongName = pathInForm(PathForm::ShortFolderLongName, forms.longForm, fileSystem_);
}

void FormsJob::finish() { owner_.onFormsRead(*this); }

void ListingJob::run() {
    try {
        if (wholeTree) return listTree();
        listing = FolderLister(fileSystem_, text_).list(path, &progress);
        if (listing.stopped || progress.stop.load(std::memory_order_relaxed)) return;
        sortListing(listing, text_);
        if (listing.failure.empty()) report.push_back(buildListingReport(listing, mode));
    } catch (const std::exception&) {
        listing.failure = texts::kOutOfMemory;
    }
}

void ListingJob::listTree() {
    TreeReport sink(mode);
    try {
        tree = TreeLister(fileSystem_, text_).list(path, sink, &progress);
    } catch (const std::exception&) {
        tree.folder = path;
        tree.failure = texts::kOutOfMemory;
    }
    listing.folder = tree.folder;
    listing.failure = tree.failure;
    listing.stopped = tree.stopped;
    if (tree.failure.empty()) report = std::move(sink.pieces);
}

void ListingJob::finish() { owner_.onListingDone(*this); }

}  // namespace twinpath
