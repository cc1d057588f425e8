// The list-copy command and its mode menu: the listing of the shown path's
// folder goes to the clipboard as text.
#include <exception>
#include <vector>

#include "app/Texts.h"
#include "app/TwinpathF.h"
#include "listing/ListingReport.h"
#include "listing/clsLngLst.h"
#include "listing/modQSort.h"

namespace twinpath {

namespace {

constexpr std::int16_t kRightButton = 2;

// Restores the default pointer on every way out of the command.
class BusyPointer {
public:
    explicit BusyPointer(WindowToolkit& window) : window_(window) { window_.setBusyPointer(true); }
    ~BusyPointer() { window_.setBusyPointer(false); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    WindowToolkit& window_;
};

}  // namespace

void TwinpathF::BtnListCopy_Click() {
    if (window_.fieldText(0).empty()) {
        window_.setFieldText(1, texts::kPrompt);
        return;
    }
    std::wstring report;
    window_.restoreWindow();
    window_.bringToFront();
    const BusyPointer busy(window_);
    window_.clearClipboard();

    std::wstring folder;
    std::vector<std::wstring> tblFileName;
    std::vector<std::wstring> tblFileStatus;
    // A failing step is passed over: what was listed so far is reported, and
    // the clipboard and the pointer are always dealt with.
    try {
        if (!objLngLst) objLngLst = std::make_unique<clsLngLst>(fileSystem_);
        objLngLst->pInFileName(window_.fieldText(0));
        folder = objLngLst->pListFileName(tblFileName, tblFileStatus).value_or(L"");
        if (!tblFileName.empty())
            QSort(tblFileStatus, tblFileName, 0, static_cast<std::int32_t>(tblFileName.size()) - 1, text_);
    } catch (const std::exception&) {
        tblFileName.clear();
        tblFileStatus.clear();
    }

    try {
        if (window_.modeChecked(0))
            report = buildListingReport(folder, tblFileName, tblFileStatus, ListMode::NamesOnly);
        else if (window_.modeChecked(1))
            report = buildListingReport(folder, tblFileName, tblFileStatus, ListMode::SizeAndDate);
    } catch (const std::exception&) {
        report.clear();
    }

    window_.clearClipboard();
    window_.setClipboardText(report);
}

void TwinpathF::BtnListCopy_MouseUp(std::int16_t Button) {
    if (Button == kRightButton) window_.showModeMenu();
}

void TwinpathF::menuCModeSel_Click(std::int16_t Index) {
    if (Index == 0) {
        window_.setModeChecked(0, true);
        window_.setModeChecked(1, false);
    } else if (Index == 1) {
        window_.setModeChecked(0, false);
        window_.setModeChecked(1, true);
    }
    BtnListCopy_Click();
}

}  // namespace twinpath
