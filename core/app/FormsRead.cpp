#include "app/FormsRead.h"

#include "app/ShortNameHint.h"
#include "paths/PathConverter.h"

namespace twinpath {

ReadForms readForms(FileSystem& fileSystem, const std::wstring& path) {
    ReadForms forms;
    PathConverter converter(fileSystem);
    converter.setInput(path);
    forms.longForm = converter.longForm();
    forms.shortForm = converter.shortForm(forms.shortFormFailure);
    forms.hint = shortNameHint(fileSystem, forms.longForm);
    if (forms.longForm.empty()) return forms;
    forms.longNetworkPath = pathInForm(PathForm::Network, forms.longForm, fileSystem);
    forms.shortNetworkPath = pathInForm(PathForm::Network, forms.shortForm, fileSystem);
    forms.shortFolderLongName = pathInForm(PathForm::ShortFolderLongName, forms.longForm, fileSystem);
    return forms;
}

}  // namespace twinpath
