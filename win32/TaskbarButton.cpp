#include "win32/TaskbarButton.h"

#include "win32/WindowLibraries.h"

namespace twinpath::win32 {

void TaskbarButton::showWorking(HWND window, bool working) {
    if (!tried_ && working) {
        // Asked for on first use only: most sessions never list a large folder.
        tried_ = true;
        void* list = nullptr;
        if (SUCCEEDED(windowLibraries::coCreateInstance(CLSID_TaskbarList, IID_ITaskbarList3, &list))) {
            list_.reset(static_cast<ITaskbarList3*>(list));
            if (FAILED(list_->HrInit())) list_.reset();
        }
    }
    if (list_) list_->SetProgressState(window, working ? TBPF_INDETERMINATE : TBPF_NOPROGRESS);
}

}  // namespace twinpath::win32
