#include "app/MainController.h"

#include <map>
#include <utility>

#include "app/ReadJob.h"
#include "app/SelectionTexts.h"
#include "app/Texts.h"
#include "paths/ArgumentItems.h"
#include "paths/PathShape.h"
#include "paths/ShownCase.h"

namespace twinpath {

namespace {

std::wstring withoutOuterBlanks(const std::wstring& text) {
    const auto first = text.find_first_not_of(L" \t");
    return first == std::wstring::npos ? L"" : text.substr(first, text.find_last_not_of(L" \t") - first + 1);
}

}  // namespace

MainController::MainController(MainView& view, BackgroundWork& work, std::shared_ptr<FileSystem> fileSystem,
                               std::shared_ptr<TextServices> text, ProcessServices& process)
    : view_(view),
      work_(work),
      fileSystem_(std::move(fileSystem)),
      text_(std::move(text)),
      process_(process),
      listing_(
          view, work, fileSystem_, text_, [this] { watchWork(); }, [this] { showForms(); }),
      everyItem_(
          view, work, fileSystem_, text_, [this] { watchWork(); }, [this] { showForms(); }) {}

MainController::StartResult MainController::start() {
    const std::wstring arguments = process_.commandLineArguments();
    // When the running copy does not answer (still starting, or hung), this
    // copy opens its own window with the items rather than losing them. This
    // copy then shows no window of its own: finding the items may wait.
    if (process_.previousInstanceRunning()) {
        const std::vector<std::wstring> items = startItems(arguments)(*fileSystem_);
        if (!items.empty() && process_.handOff(argumentText(items))) return StartResult::HandedOff;
    }
    startItems_ = startItems(arguments);
    const std::wstring whole = withoutOuterBlanks(arguments);
    startTold_ = whole.empty() || isFullPath(whole) ? whole : process_.fullPath(whole);
    return StartResult::ShowWindow;
}

ItemsOf MainController::startItems(const std::wstring& arguments) {
    // A relative item names a file in the starting copy's current folder,
    // which the running copy does not share: made full here, on this thread,
    // for the whole text and for each argument.
    std::map<std::wstring, std::wstring> full;
    const auto makeFull = [&](const std::wstring& item) {
        if (!item.empty() && !isFullPath(item)) full[item] = process_.fullPath(item);
    };
    makeFull(withoutOuterBlanks(arguments));
    for (const std::wstring& item : splitArguments(arguments)) makeFull(item);
    return [arguments, full = std::move(full)](FileSystem& fileSystem) {
        return argumentItems(
            arguments, [&fileSystem](const std::wstring& path) { return fileSystem.attributes(path).has_value(); },
            [&full](const std::wstring& relative) {
                const auto found = full.find(relative);
                return found == full.end() ? std::wstring() : found->second;
            });
    };
}

void MainController::readStartPath() {
    if (std::exchange(startRead_, true) || !startItems_) return;
    readItems(std::move(startItems_), startTold_, true);
}

void MainController::showStartPath() {
    letterCase_ = LetterCase::Stored;
    view_.setFieldText(NameField::Long, L"");
    view_.setFieldText(NameField::Short, L"");
    const ProgramVersion version = process_.version();
    view_.setCaption(view_.caption() + texts::kVersionPrefix + std::to_wstring(version.major) + L"." +
                     std::to_wstring(version.minor) + L"." + std::to_wstring(version.revision));
    view_.showLetterCase(LetterCase::Stored);
    view_.showListChoice(listing_.mode(), listing_.wholeTree());
    readStartPath();
}

void MainController::onShown() {
    view_.focusField(NameField::Short);
    view_.selectWholeField(NameField::Short);
}

void MainController::openArguments(const std::wstring& arguments) {
    if (withoutOuterBlanks(arguments).empty()) return;
    view_.restoreWindow();
    view_.bringToFront();
    listing_.cancel(false);
    everyItem_.cancel(false);
    // A relative item stays as it came: this copy's current folder is not the sender's.
    readItems(
        [arguments](FileSystem& fileSystem) {
            return argumentItems(
                arguments, [&fileSystem](const std::wstring& path) { return fileSystem.attributes(path).has_value(); },
                [](const std::wstring&) { return std::wstring(); });
        },
        withoutOuterBlanks(arguments), true);
}

void MainController::openItems(std::vector<std::wstring> paths) {
    if (paths.empty()) return;
    view_.restoreWindow();
    view_.bringToFront();
    listing_.cancel(false);
    everyItem_.cancel(false);
    const std::size_t total = paths.size();
    std::wstring told = paths.front();
    readItems([paths = std::move(paths)](FileSystem&) { return paths; }, std::move(told), true);
    if (reading_) reading_->progress.total = total;
}

void MainController::paste(const std::optional<std::vector<std::wstring>>& items) {
    if (!items)
        view_.setFieldText(NameField::Short, texts::kClipboardBusyForPaste);
    else if (items->empty())
        view_.setFieldText(NameField::Short, texts::kNothingToPaste);
    else
        openItems(*items);
}

void MainController::readPath(const std::wstring& path) {
    readItems([path](FileSystem&) { return std::vector<std::wstring>{path}; }, path, false);
}

void MainController::readItems(ItemsOf itemsOf, std::wstring told, bool newInput) {
    if (closed_) return;
    if (reading_) reading_->progress.stop = true;
    auto reading = std::make_shared<Reading>(work_.now(), std::move(told), newInput);
    reading_ = reading;
    // The reading holds what it uses: a call stuck on a dead share may
    // return after the window and everything of it have gone.
    twinpath::startReading<ReadSelection>(
        work_,
        [fileSystem = fileSystem_, reading, itemsOf = std::move(itemsOf)] {
            return reading->progress.stop.load(std::memory_order_relaxed)
                       ? ReadSelection{}
                       : readSelection(*fileSystem, itemsOf, reading->progress);
        },
        [this, reading](ReadSelection&& read) { itemsRead(reading, std::move(read)); });
    watchWork();
}

void MainController::itemsRead(const std::shared_ptr<Reading>& reading, ReadSelection&& read) {
    // The result of a request that a newer one replaced is dropped.
    if (closed_ || reading != reading_) return;
    reading_.reset();
    watchWork();
    selection_ = std::move(read.selection);
    forms_ = std::move(read.forms);
    showForms();
    view_.showSelection(texts::itemsHeadingSuffix(selection_.takenCount()), texts::longFieldTip(selection_));
    // Nothing that can be read: the fields stay empty, so every command asks
    // for a file, and the short field says why.
    if (!selection_.shown() && !selection_.items.empty())
        view_.setFieldText(NameField::Short, texts::unreadMessage(selection_));
    if (!reading->newInput) return;
    inputLongForm_ = forms_.longForm;
    view_.focusField(NameField::Short);
    view_.selectWholeField(NameField::Short);
}

void MainController::selectCase(LetterCase letterCase) {
    letterCase_ = letterCase;
    showForms();
}

std::wstring MainController::shownForm(NameField field) const {
    return inCase(field == NameField::Long ? forms_.longForm : forms_.shortForm, letterCase_, *text_);
}

void MainController::showForms() {
    view_.setFieldText(NameField::Long, shownForm(NameField::Long));
    // A short form the system could not make is never shown as an empty one.
    const bool noShortForm = forms_.shortForm.empty() && !forms_.shortFormFailure.empty();
    view_.setFieldText(NameField::Short,
                       noShortForm ? texts::kNoShortForm + forms_.shortFormFailure : shownForm(NameField::Short));
    view_.setShortFormHint(forms_.hint);
}

void MainController::copyField(NameField field) {
    // The forms, not the field: the short-form field may be telling of work
    // or of a failure.
    if (forms_.longForm.empty()) {
        view_.setFieldText(NameField::Short, texts::kPrompt);
        return;
    }
    if (field == NameField::Short && forms_.shortForm.empty()) {
        view_.setFieldText(NameField::Short, texts::kNoShortForm + forms_.shortFormFailure);
        return;
    }
    if (!view_.setClipboardText(shownForm(field))) view_.setFieldText(NameField::Short, texts::kClipboardBusy);
}

void MainController::onFieldFocused(NameField field) { view_.selectWholeField(field); }

void MainController::copyListing() { listing_.copy(shownForm(NameField::Long)); }

void MainController::onListButtonRightClick() { view_.showModeMenu(); }

void MainController::pickListMode(ListMode mode) { listing_.pickMode(mode, shownForm(NameField::Long)); }

void MainController::toggleSubfolders() { listing_.toggleWholeTree(shownForm(NameField::Long)); }

void MainController::watchWork() {
    view_.setWorkTimer(!closed_ && (reading_ || listing_.running() || everyItem_.running()));
}

void MainController::onWorkTick() {
    const std::uint64_t now = work_.now();
    listing_.tick(now);
    everyItem_.tick(now);
    if (reading_) tellReading(now);
}

void MainController::tellReading(std::uint64_t now) {
    WorkRequest& request = reading_->request;
    const std::size_t total = reading_->progress.total.load(std::memory_order_relaxed);
    // One path is named once; many are counted as they are read.
    const bool counted = total > 1;
    if (!timeToTell(request, now) || (request.toldAt && !counted)) return;
    request.toldAt = now;
    view_.setFieldText(NameField::Short, counted ? texts::itemsProgress(reading_->progress.read, total)
                                                 : texts::kReading + reading_->told + texts::kEllipsis);
}

void MainController::cancelWork() {
    if (listing_.cancel(false) || everyItem_.cancel(false) || !reading_) return;
    // The forms shown before stay; so does the path ">" leads back to.
    reading_->progress.stop = true;
    reading_.reset();
    watchWork();
    showForms();
}

void MainController::close() {
    if (reading_) reading_->progress.stop = true;
    reading_.reset();
    listing_.close();
    everyItem_.close();
    closed_ = true;
    watchWork();
}

}  // namespace twinpath
