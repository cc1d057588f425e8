#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "listing/clsLngLst.h"
#include "pathname/clsLngSht.h"
#include "platform/FileSystem.h"
#include "platform/ProcessServices.h"
#include "platform/TextServices.h"
#include "platform/WindowToolkit.h"

namespace twinpath {

// The main window's state and event handlers. The toolkit raises the
// handlers one at a time on the window's thread; a handler may also be called
// directly as an ordinary routine (Option1_Click is the refresh).
class TwinpathF {
public:
    TwinpathF(WindowToolkit& window, FileSystem& fileSystem, TextServices& text, ProcessServices& process);
    TwinpathF(const TwinpathF&) = delete;
    TwinpathF& operator=(const TwinpathF&) = delete;

    enum class LoadResult { ShowWindow, HandedOff };

    // Start-up. HandedOff: another copy took the command line, and this copy
    // must end without showing its window.
    LoadResult Form_Load();
    void Form_Activate();
    void Form_QueryUnload();

    // The hidden label through which every input path arrives: the command
    // line, a second copy's hand-off and every drop write its caption, and
    // each write runs LinkLabel_Change (a path given twice is shown again).
    void setLinkLabelCaption(const std::wstring& caption);
    const std::wstring& linkLabelCaption() const { return linkLabelCaption_; }
    void LinkLabel_Change();

    void Option1_Click(std::int16_t Index);
    void BtnCopy_Click(std::int16_t Index);
    void BtnDirLV_Click(std::int16_t Index);
    void BtnListCopy_Click();
    void BtnListCopy_MouseUp(std::int16_t Button);
    void menuCModeSel_Click(std::int16_t Index);
    void TextFileName_DblClick(std::int16_t Index);
    void TextFileName_GotFocus(std::int16_t Index);
    // The drop handlers of every drop target: the first dropped path.
    void OLEDragDrop(const std::wstring& firstPath);

    std::int16_t caseSelection() const { return intCaseSel; }
    const std::wstring& basePath() const { return strBasePath; }
    bool hasConverter() const { return objLngSht != nullptr; }
    bool hasLister() const { return objLngLst != nullptr; }

private:
    clsLngSht& converter();
    std::wstring inputPathFromCommandLine();
    void goUp(const std::wstring& current);
    void goDown(const std::wstring& current);

    WindowToolkit& window_;
    FileSystem& fileSystem_;
    TextServices& text_;
    ProcessServices& process_;

    std::int16_t intCaseSel = 0;
    std::unique_ptr<clsLngSht> objLngSht;
    std::unique_ptr<clsLngLst> objLngLst;
    std::wstring strBasePath;
    std::wstring linkLabelCaption_;
};

}  // namespace twinpath
