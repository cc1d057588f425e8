#include "app/Jobs.h"

#include "app/MainController.h"
#include "app/ShortNameHint.h"
#include "app/Texts.h"
#include "listing/ListingBuilder.h"
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
    if (forms.longForm.empty()) return;
    forms.longNetworkPath = pathInForm(PathForm::Network, forms.longForm, fileSystem_);
    forms.shortNetworkPath = pathInForm(PathForm::Network, forms.shortForm, fileSystem_);
    forms.shortFolderLongName = pathInForm(PathForm::ShortFolderLongName, forms.longForm, fileSystem_);
}

void FormsJob::finish() { owner_.onFormsRead(*this); }

void ListingJob::run() {
    ListingReport sink(mode);
    tree = buildListing(fileSystem_, text_, path, wholeTree, sink, &progress);
    listing.folder = tree.folder;
    listing.failure = tree.failure;
    listing.stopped = tree.stopped;
    if (tree.failure.empty() && !tree.stopped) report = std::move(sink.pieces);
}

void ListingJob::finish() { owner_.onListingDone(*this); }

}  // namespace twinpath
