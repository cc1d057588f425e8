#include "app/MainController.h"

#include <utility>

#include "app/Texts.h"
#include "paths/CommandLine.h"
#include "paths/PathShape.h"
#include "paths/ShownCase.h"

namespace twinpath {

MainController::MainController(MainView& view, FileSystem& fileSystem, TextServices& text, ProcessServices& process,
                               BackgroundWork& work)
    : view_(view), fileSystem_(fileSystem), text_(text), process_(process), work_(work) {}

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
    readForms(startPath_, true);
}

void MainController::showStartPath() {
    letterCase_ = LetterCase::Stored;
    view_.setFieldText(NameField::Long, L"");
    view_.setFieldText(NameField::Short, L"");
    const ProgramVersion version = process_.version();
    view_.setCaption(view_.caption() + texts::kVersionPrefix + std::to_wstring(version.major) + L"." +
                     std::to_wstring(version.minor) + L"." + std::to_wstring(version.revision));
    view_.showLetterCase(LetterCase::Stored);
    readStartPath();
}

void MainController::onShown() {
    view_.focusField(NameField::Short);
    selectWholeField(NameField::Short);
}

void MainController::openPath(const std::wstring& path) {
    if (path.empty()) return;
    view_.restoreWindow();
    view_.bringToFront();
    cancelListing(false);
    readForms(path, true);
}

void MainController::readForms(const std::wstring& path, bool newInput) {
    if (reading_) reading_->stop = true;
    reading_ = std::make_shared<FormsJob>(*this, fileSystem_, path, newInput);
    reading_->request = newRequest();
    work_.start(reading_);
    watchWork();
}

RequestState MainController::newRequest() { return {++lastRequest_, work_.now(), {}}; }

void MainController::onFormsRead(FormsJob& job) {
    // The result of a request that a newer one replaced is dropped.
    if (closed_ || !reading_ || job.request.number != reading_->request.number) return;
    reading_.reset();
    watchWork();
    forms_ = std::move(job.forms);
    showForms();
    if (!job.newInput) return;
    inputLongForm_ = view_.fieldText(NameField::Long);
    view_.focusField(NameField::Short);
    selectWholeField(NameField::Short);
}

void MainController::selectCase(LetterCase letterCase) {
    letterCase_ = letterCase;
    showForms();
}

std::wstring MainController::shownForm(NameField field) const {
    return inCase(field == NameField::Long ? forms_.longForm : forms_.shortForm, letterCase_, text_);
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

void MainController::selectWholeField(NameField field) {
    view_.selectInField(field, 0, static_cast<int>(view_.fieldText(field).size()));
}

void MainController::onFieldFocused(NameField field) {
    view_.pumpMessages();
    selectWholeField(field);
}

}  // namespace twinpath
