#include "app/MainController.h"

#include "app/ShortNameHint.h"
#include "app/Texts.h"
#include "paths/CommandLine.h"
#include "paths/PathHead.h"

namespace twinpath {

MainController::MainController(MainView& view, FileSystem& fileSystem, TextServices& text, ProcessServices& process)
    : view_(view),
      fileSystem_(fileSystem),
      text_(text),
      process_(process),
      converter_(fileSystem),
      lister_(fileSystem) {}

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

void MainController::showStartPath() {
    letterCase_ = LetterCase::Stored;
    inputLongForm_.clear();
    view_.setFieldText(NameField::Long, L"");
    view_.setFieldText(NameField::Short, L"");
    const ProgramVersion version = process_.version();
    view_.setCaption(view_.caption() + texts::kVersionPrefix + std::to_wstring(version.major) + L"." +
                     std::to_wstring(version.minor) + L"." + std::to_wstring(version.revision));
    openPath(startPath_);
    view_.showLetterCase(LetterCase::Stored);
    showForms();
}

void MainController::onShown() {
    view_.focusField(NameField::Short);
    selectWholeField(NameField::Short);
}

void MainController::openPath(const std::wstring& path) {
    if (path.empty()) return;
    view_.restoreWindow();
    view_.bringToFront();
    converter_.setInput(path);
    showForms();
    inputLongForm_ = view_.fieldText(NameField::Long);
    view_.focusField(NameField::Short);
    selectWholeField(NameField::Short);
}

void MainController::selectCase(LetterCase letterCase) {
    letterCase_ = letterCase;
    showForms();
}

void MainController::showForms() {
    const auto inCase = [&](const std::wstring& form) {
        if (letterCase_ == LetterCase::Upper) return text_.toUpper(form);
        if (letterCase_ == LetterCase::Lower) return text_.toLower(form);
        return form;
    };
    const std::wstring longForm = converter_.longForm();
    view_.setFieldText(NameField::Long, inCase(longForm));
    view_.setFieldText(NameField::Short, inCase(converter_.shortForm()));
    view_.setShortFormHint(shortNameHint(fileSystem_, longForm));
}

void MainController::copyField(NameField field) {
    if (view_.fieldText(NameField::Long).empty()) {
        view_.setFieldText(NameField::Short, texts::kPrompt);
        return;
    }
    if (!view_.setClipboardText(view_.fieldText(field))) view_.setFieldText(NameField::Short, texts::kClipboardBusy);
}

void MainController::selectWholeField(NameField field) {
    view_.selectInField(field, 0, static_cast<int>(view_.fieldText(field).size()));
}

void MainController::onFieldFocused(NameField field) {
    view_.pumpMessages();
    selectWholeField(field);
}

}  // namespace twinpath
