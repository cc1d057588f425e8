#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/Selection.h"
#include "app/WorkRequest.h"
#include "paths/PathForms.h"
#include "ports/BackgroundWork.h"
#include "ports/FileSystem.h"
#include "ports/MainView.h"
#include "ports/TextServices.h"

namespace twinpath {

// A Copy menu's "All N Items": every item's form, long or short by the
// button, in the case shown, read off the window's thread. It tells of its
// progress once it takes a while; Esc, a new path or closing stop it with the
// clipboard left as it was; an item without the form copies nothing and says
// which and why.
class EveryItemCopy {
public:
    // `onWorkChanged` is told when a copy begins or ends; `onProgressGone`
    // when the short-form field must show the shown form again.
    EveryItemCopy(MainView& view, BackgroundWork& work, std::shared_ptr<FileSystem> fileSystem,
                  std::shared_ptr<TextServices> text, std::function<void()> onWorkChanged,
                  std::function<void()> onProgressGone);

    bool running() const { return current_ != nullptr; }
    // Starts copying, replacing a copy that runs.
    void copy(std::vector<std::wstring> paths, NameField field, PathForm form, LetterCase letterCase);
    // Stops the copy that runs, if one does; unless `quietly`, says that
    // nothing was copied. False when none ran.
    bool cancel(bool quietly);
    // About ten times a second while a copy runs.
    void tick(std::uint64_t now);
    void close();

private:
    struct Running {
        explicit Running(std::uint64_t startedAt) : request(startedAt) {}
        WorkRequest request;
        SelectionProgress progress;
    };

    void finish(const std::shared_ptr<Running>& copy, FormedPath&& joined);
    void end();

    MainView& view_;
    BackgroundWork& work_;
    std::shared_ptr<FileSystem> fileSystem_;
    std::shared_ptr<TextServices> text_;
    std::function<void()> onWorkChanged_;
    std::function<void()> onProgressGone_;
    std::shared_ptr<Running> current_;
    bool closed_ = false;
};

// An item's form as the copy of every item makes it: its long or short form
// read and shown in the case, then made into the form.
FormedPath itemForm(FileSystem& fileSystem, TextServices& text, const std::wstring& path, NameField field,
                    PathForm form, LetterCase letterCase);

}  // namespace twinpath
