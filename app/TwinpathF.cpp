#include "app/TwinpathF.h"

#include "app/CommandLine.h"
#include "app/Texts.h"

namespace twinpath {

TwinpathF::TwinpathF(WindowToolkit& window, FileSystem& fileSystem, TextServices& text, ProcessServices& process)
    : window_(window), fileSystem_(fileSystem), text_(text), process_(process) {}

clsLngSht& TwinpathF::converter() {
    if (!objLngSht) objLngSht = std::make_unique<clsLngSht>(fileSystem_);
    return *objLngSht;
}

std::wstring TwinpathF::inputPathFromCommandLine() {
    std::wstring path = inputPathOf(process_.commandLineArguments());
    // A relative path names a file in the starting copy's current folder,
    // which the running copy does not share: make it full here.
    if (!path.empty() && isRelativePath(path)) {
        std::wstring full = process_.fullPath(path);
        if (!full.empty()) path = std::move(full);
    }
    return path;
}

TwinpathF::LoadResult TwinpathF::Form_Load() {
    const std::wstring input = inputPathFromCommandLine();
    // When the running copy does not answer (still starting, or hung), this
    // copy opens its own window with the path rather than losing it.
    if (process_.previousInstanceRunning() && process_.handOff(input)) return LoadResult::HandedOff;

    intCaseSel = 0;
    strBasePath.clear();
    window_.setFieldText(0, L"");
    window_.setFieldText(1, L"");
    const ProgramVersion version = process_.version();
    window_.setCaption(window_.caption() + texts::kVersionPrefix + std::to_wstring(version.major) + L"." +
                       std::to_wstring(version.minor) + L"." + std::to_wstring(version.revision));
    setLinkLabelCaption(input);
    window_.selectOption(0);
    Option1_Click(intCaseSel);
    return LoadResult::ShowWindow;
}

void TwinpathF::Form_Activate() {
    window_.focusField(1);
    TextFileName_DblClick(1);
}

void TwinpathF::Form_QueryUnload() { objLngSht.reset(); }

void TwinpathF::setLinkLabelCaption(const std::wstring& caption) {
    linkLabelCaption_ = caption;
    LinkLabel_Change();
}

void TwinpathF::LinkLabel_Change() {
    if (linkLabelCaption_.empty()) return;
    window_.restoreWindow();
    window_.bringToFront();
    converter().pInFileName(linkLabelCaption_);
    Option1_Click(intCaseSel);
    strBasePath = window_.fieldText(0);
    window_.focusField(1);
    TextFileName_DblClick(1);
}

void TwinpathF::Option1_Click(std::int16_t Index) {
    intCaseSel = Index;
    if (Index < 0 || Index > 2) return;
    const auto inCase = [&](const std::wstring& form) {
        if (Index == 1) return text_.toUpper(form);
        if (Index == 2) return text_.toLower(form);
        return form;
    };
    window_.setFieldText(0, inCase(converter().pLongFileName()));
    window_.setFieldText(1, inCase(converter().pShortFileName()));
}

void TwinpathF::BtnCopy_Click(std::int16_t Index) {
    if (window_.fieldText(0).empty()) {
        window_.setFieldText(1, texts::kPrompt);
        return;
    }
    if (Index != 0 && Index != 1) return;
    window_.clearClipboard();
    window_.setClipboardText(window_.fieldText(Index));
}

void TwinpathF::TextFileName_DblClick(std::int16_t Index) {
    window_.selectInField(Index, 0, static_cast<int>(window_.fieldText(Index).size()));
}

void TwinpathF::TextFileName_GotFocus(std::int16_t Index) {
    window_.pumpMessages();
    TextFileName_DblClick(Index);
}

void TwinpathF::OLEDragDrop(const std::wstring& firstPath) { setLinkLabelCaption(firstPath); }

}  // namespace twinpath
