#include "app/EveryItemCopy.h"

#include <utility>

#include "app/ReadJob.h"
#include "app/SelectionTexts.h"
#include "app/Texts.h"
#include "paths/PathConverter.h"
#include "paths/ShownCase.h"

namespace twinpath {

FormedPath itemForm(FileSystem& fileSystem, TextServices& text, const std::wstring& path, NameField field,
                    PathForm form, LetterCase letterCase) {
    PathConverter converter(fileSystem);
    converter.setInput(path);
    const std::wstring longForm = converter.longForm();
    if (longForm.empty()) return {L"", texts::kItemGone, L""};
    std::wstring shortFormFailure;
    const std::wstring shown = field == NameField::Long ? longForm : converter.shortForm(shortFormFailure);
    if (shown.empty()) return {L"", L"it has no short form (" + shortFormFailure + L")", L""};
    if (!asksFileSystem(form)) return pathInForm(form, inCase(shown, letterCase, text), fileSystem);
    // The system answers in the stored case; the copy is in the case shown.
    FormedPath formed = pathInForm(form, form == PathForm::ShortFolderLongName ? longForm : shown, fileSystem);
    formed.text = inCase(formed.text, letterCase, text);
    return formed;
}

EveryItemCopy::EveryItemCopy(MainView& view, BackgroundWork& work, std::shared_ptr<FileSystem> fileSystem,
                             std::shared_ptr<TextServices> text, std::function<void()> onWorkChanged,
                             std::function<void()> onProgressGone)
    : view_(view),
      work_(work),
      fileSystem_(std::move(fileSystem)),
      text_(std::move(text)),
      onWorkChanged_(std::move(onWorkChanged)),
      onProgressGone_(std::move(onProgressGone)) {}

void EveryItemCopy::copy(std::vector<std::wstring> paths, NameField field, PathForm form, LetterCase letterCase) {
    if (closed_) return;
    cancel(true);
    auto copy = std::make_shared<Running>(work_.now());
    copy->progress.total = paths.size();
    current_ = copy;
    // The reading holds what it uses: a call stuck on a dead share may
    // return after the window and everything of it have gone.
    twinpath::startReading<FormedPath>(
        work_,
        [fileSystem = fileSystem_, text = text_, copy, paths = std::move(paths), field, form, letterCase] {
            std::vector<ItemForm> forms;
            forms.reserve(paths.size());
            for (const std::wstring& path : paths) {
                if (copy->progress.stop.load(std::memory_order_relaxed)) return FormedPath{};
                forms.push_back({path, itemForm(*fileSystem, *text, path, field, form, letterCase)});
                copy->progress.read.store(forms.size(), std::memory_order_relaxed);
            }
            return joinedForms(form, forms);
        },
        [this, copy](FormedPath&& joined) { finish(copy, std::move(joined)); });
    onWorkChanged_();
}

void EveryItemCopy::finish(const std::shared_ptr<Running>& copy, FormedPath&& joined) {
    if (closed_ || copy != current_) return;
    const bool toldProgress = copy->request.toldAt.has_value();
    end();
    if (!joined.made())
        view_.setFieldText(NameField::Short, texts::kNothingCopied + joined.whyNot + L".");
    else if (!view_.setClipboardText(joined.text))
        view_.setFieldText(NameField::Short, texts::kClipboardBusy);
    else if (toldProgress)
        onProgressGone_();
}

bool EveryItemCopy::cancel(bool quietly) {
    if (!current_) return false;
    current_->progress.stop = true;
    end();
    if (!quietly) view_.setFieldText(NameField::Short, texts::kCopyCancelled);
    return true;
}

void EveryItemCopy::end() {
    current_.reset();
    onWorkChanged_();
}

void EveryItemCopy::tick(std::uint64_t now) {
    if (!current_ || !timeToTell(current_->request, now)) return;
    current_->request.toldAt = now;
    view_.setFieldText(NameField::Short, texts::itemsProgress(current_->progress.read, current_->progress.total));
}

void EveryItemCopy::close() {
    if (current_) current_->progress.stop = true;
    current_.reset();
    closed_ = true;
}

}  // namespace twinpath
