#pragma once

#include <string>

#include "ports/FileSystem.h"
#include "values/PathForm.h"

namespace twinpath {

// True for the forms whose answer comes from the file system (the network
// path and the short folder); every other form is a function of the text.
bool asksFileSystem(PathForm form);

// The path in the form. Its case is kept: the caller maps the file system's
// answers to the case the path is shown in. A text without a drive, share or
// device root has no form but itself.
FormedPath pathInForm(PathForm form, const std::wstring& path, FileSystem& fileSystem);

}  // namespace twinpath
