// The Copy buttons' menus: the shown path in the form that the next program
// needs.
#include "app/MainController.h"
#include "app/Texts.h"
#include "paths/ShownCase.h"

namespace twinpath {

FormedPath MainController::formOfField(NameField field, PathForm form) {
    return asksFileSystem(form) ? formFromFileSystem(field, form) : pathInForm(form, shownForm(field), *fileSystem_);
}

FormedPath MainController::formFromFileSystem(NameField field, PathForm form) const {
    // Read with the forms, off the window's thread.
    FormedPath formed = form == PathForm::ShortFolderLongName ? forms_.shortFolderLongName
                        : field == NameField::Long            ? forms_.longNetworkPath
                                                              : forms_.shortNetworkPath;
    // The system answers in the stored case; the copy is in the case shown.
    formed.text = inCase(formed.text, letterCase_, *text_);
    return formed;
}

void MainController::onCopyButtonMenu(NameField field) {
    if (forms_.longForm.empty()) {
        view_.setFieldText(NameField::Short, texts::kPrompt);
        return;
    }
    std::vector<CopyMenuItem> items;
    for (int i = 0; i < static_cast<int>(std::size(texts::kFormItems)); ++i) {
        const auto form = static_cast<PathForm>(i);
        // The short folder with the long name stands in for the short form.
        if (form != PathForm::ShortFolderLongName || field == NameField::Short)
            items.push_back({form, formOfField(field, form).made()});
    }
    const std::size_t taken = selection_.takenCount();
    view_.showCopyMenu(field, items, taken > 1 ? taken : 0);
}

void MainController::copyForm(NameField field, PathForm form, bool everyItem) {
    if (everyItem && !forms_.longForm.empty() && selection_.takenCount() > 1) {
        listing_.cancel(true);
        everyItem_.copy(selection_.takenPaths(), field, form, letterCase_);
        return;
    }
    if (form == PathForm::AsShown || forms_.longForm.empty()) {
        copyField(field);
        return;
    }
    // A form that cannot be made is not copied: the clipboard keeps what it held.
    const FormedPath formed = formOfField(field, form);
    if (!formed.made())
        view_.setFieldText(NameField::Short, texts::kNothingCopied + formed.whyNot + L".");
    else if (!view_.setClipboardText(formed.text))
        view_.setFieldText(NameField::Short, texts::kClipboardBusy);
    else if (!formed.caution.empty())
        view_.setFieldText(NameField::Short, texts::kCopiedBut + formed.caution + texts::kUseBatchForm);
}

}  // namespace twinpath
