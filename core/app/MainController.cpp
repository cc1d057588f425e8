#include "app/MainController.h"

#include <utility>

#include "app/ReadJob.h"
#include "app/Texts.h"
#include "paths/CommandLine.h"
#include "paths/PathHead.h"

namespace twinpath {

MainController::MainController(MainView& view, BackgroundWork& work, std::shared_ptr<FileSystem> fileSystem,
                               std::shared_ptr<TextServices> text, ProcessServices& process)
    : view_(view),
      work_(work),
      fileSystem_(std::move(fileSystem)),
      text_(std::move(text)),
      process_(process),
      listing_(
          view, work, fileSystem_, text_, [this] { watchWork(); }, [this] { showForms(); }) {}

std::wstring MainController::inputPathFromCommandLine() {
    std::wstring path = inputPathOf(process_.commandLineArguments());
    // A relative path names a file in the starting copy's current folder,
    // which the running copy does not share: make it full here.
    if (!path.empty() && !isFullPath(path)) {
        std::wstring full = process_.fullPath(path);
        if (!full.empty()) path = std::move(full);
    }
    return path;
}

MainController::StartResult MainController::start() {
    startPath_ = inputPathFromCommandLine();
    // When the running copy does not answer (still starting, or hung), this
    // copy opens its own window with the path rather than losing it.
    if (process_.previousInstanceRunning() && process_.handOff(startPath_)) return StartResult::HandedOff;
    return StartResult::ShowWindow;
}

void MainController::readStartPath() {
    if (std::exchange(startRead_, true) || startPath_.empty()) return;
    readPath(startPath_, true);
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

void MainController::openPath(const std::wstring& path) {
    if (path.empty()) return;
    view_.restoreWindow();
    view_.bringToFront();
    listing_.cancel(false);
    readPath(path, true);
}

void MainController::readPath(const std::wstring& path, bool newInput) {
    if (closed_) return;
    if (reading_) reading_->request.stop = true;
    auto reading = std::make_shared<Reading>(work_.now(), path, newInput);
    reading_ = reading;
    // The reading holds what it uses: a call stuck on a dead share may
    // return after the window and everything of it have gone.
    twinpath::startReading<ReadForms>(
        work_,
        [fileSystem = fileSystem_, reading] {
            return reading->request.stop.load(std::memory_order_relaxed) ? ReadForms{}
                                                                         : readForms(*fileSystem, reading->path);
        },
        [this, reading](ReadForms&& forms) { formsRead(reading, std::move(forms)); });
    watchWork();
}

void MainController::formsRead(const std::shared_ptr<Reading>& reading, ReadForms&& forms) {
    // The result of a request that a newer one replaced is dropped.
    if (closed_ || reading != reading_) return;
    reading_.reset();
    watchWork();
    forms_ = std::move(forms);
    showForms();
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
    const std::wstring& form = field == NameField::Long ? forms_.longForm : forms_.shortForm;
    if (letterCase_ == LetterCase::Upper) return text_->toUpper(form);
    if (letterCase_ == LetterCase::Lower) return text_->toLower(form);
    return form;
}

void MainController::showForms() {
    view_.setFieldText(NameField::Long, shownForm(NameField::Long));
    view_.setFieldText(NameField::Short, shownForm(NameField::Short));
    view_.setShortFormHint(forms_.hint);
}

void MainController::copyField(NameField field) {
    // The forms, not the field: the short-form field may be telling of work
    // or of a failure.
    if (forms_.longForm.empty()) {
        view_.setFieldText(NameField::Short, texts::kPrompt);
        return;
    }
    if (!view_.setClipboardText(shownForm(field))) view_.setFieldText(NameField::Short, texts::kClipboardBusy);
}

void MainController::onFieldFocused(NameField field) { view_.selectWholeField(field); }

void MainController::copyListing() { listing_.copy(shownForm(NameField::Long)); }

void MainController::onListButtonRightClick() { view_.showModeMenu(); }

void MainController::pickListMode(ListMode mode) { listing_.pickMode(mode, shownForm(NameField::Long)); }

void MainController::toggleSubfolders() { listing_.toggleWholeTree(shownForm(NameField::Long)); }

void MainController::watchWork() { view_.setWorkTimer(!closed_ && (reading_ || listing_.running())); }

void MainController::onWorkTick() {
    const std::uint64_t now = work_.now();
    listing_.tick(now);
    if (reading_ && !reading_->request.toldAt && now - reading_->request.startedAt >= kQuietMs) {
        reading_->request.toldAt = now;
        view_.setFieldText(NameField::Short, texts::kReading + reading_->path + texts::kEllipsis);
    }
}

void MainController::cancelWork() {
    if (listing_.cancel(false) || !reading_) return;
    // The forms shown before stay; so does the path ">" leads back to.
    reading_->request.stop = true;
    reading_.reset();
    watchWork();
    showForms();
}

void MainController::close() {
    if (reading_) reading_->request.stop = true;
    reading_.reset();
    listing_.close();
    closed_ = true;
    watchWork();
}

}  // namespace twinpath
