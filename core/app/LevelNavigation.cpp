// The "<" and ">" buttons: one folder level up from the shown long form, and
// back down towards the last opened path.
#include "app/MainController.h"
#include "app/Texts.h"
#include "paths/PathShape.h"

namespace twinpath {

void MainController::moveLevel(Level level) {
    const std::wstring current = shownForm(NameField::Long);
    if (current.empty()) {
        view_.setFieldText(NameField::Short, texts::kPrompt);
        return;
    }
    if (level == Level::Up)
        goUp(current);
    else
        goDown(current);
}

void MainController::goUp(const std::wstring& current) {
    // The part before `top` is never cut: the first level below a drive root,
    // or the share of a UNC path, is as high as "<" goes.
    const std::size_t top = shapeOf(current).topLength;
    if (top == std::wstring::npos) return;
    const auto lastSeparator = current.rfind(L'\\');
    if (lastSeparator == std::wstring::npos || lastSeparator < top) return;
    listing_.cancel(false);
    readPath(current.substr(0, lastSeparator));
}

void MainController::goDown(const std::wstring& current) {
    // Only the lengths are compared: the shown text may be in another case.
    if (inputLongForm_.size() == current.size()) return;
    const std::size_t from = current.size() + 1;
    const auto nextSeparator = from < inputLongForm_.size() ? inputLongForm_.find(L'\\', from) : std::wstring::npos;
    listing_.cancel(false);
    readPath(nextSeparator == std::wstring::npos ? inputLongForm_ : inputLongForm_.substr(0, nextSeparator));
}

}  // namespace twinpath
