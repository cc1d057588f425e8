#pragma once

#include <string>

#include "paths/PathForms.h"
#include "ports/FileSystem.h"

namespace twinpath {

// What the window shows of a path: its two forms and why the short form
// keeps long items. All empty for a path that cannot be read.
struct ReadForms {
    std::wstring longForm;
    std::wstring shortForm;
    // The system's message when it could not make the short form.
    std::wstring shortFormFailure;
    std::wstring hint;
    // The copy forms that only the file system can give, read with the
    // others so that the Copy buttons' menus never wait for it.
    FormedPath longNetworkPath;
    FormedPath shortNetworkPath;
    FormedPath shortFolderLongName;
};

// Reads every form of a path the window shows; may wait on a slow share.
ReadForms readForms(FileSystem& fileSystem, const std::wstring& path);

}  // namespace twinpath
