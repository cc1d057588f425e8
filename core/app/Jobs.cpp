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
    forms.shortForm = converter.shortForm();
    forms.hint = shortNameHint(fileSystem_, forms.longForm);
}

void FormsJob::finish() { owner_.onFormsRead(*this); }

void ListingJob::run() {
    try {
        listing = FolderLister(fileSystem_).list(path, &progress);
        if (listing.stopped || progress.stop.load(std::memory_order_relaxed)) return;
        sortListing(listing, text_);
        if (listing.failure.empty()) report = buildListingReport(listing, mode);
    } catch (const std::exception&) {
        listing.failure = texts::kOutOfMemory;
    }
}

void ListingJob::finish() { owner_.onListingDone(*this); }

}  // namespace twinpath
