#include "platform/win32/OleSession.h"
#include "tests/win32/FakeDataObject.h"
#include "tests/win32/TempTree.h"
#include "tests/win32/WindowHarness.h"

namespace twinpath::wine {
namespace {

using G = ControlGroup;

class WindowDropTest : public WindowTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(ole.active());
        start();
        ASSERT_TRUE(window->acceptDrops());
    }

    POINTL centreOf(HWND control) const {
        RECT r{};
        ::GetWindowRect(control, &r);
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }

    // Drags the file list over the point and releases it there.
    DWORD dropAt(POINTL point, const std::vector<std::wstring>& paths) {
        FakeDataObject data(CF_HDROP, fileListBlock(paths));
        DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
        window->dropTarget()->DragEnter(&data, MK_LBUTTON, point, &effect);
        DWORD dropEffect = effect;
        window->dropTarget()->Drop(&data, 0, point, &dropEffect);
        pump();
        return effect;
    }

    win32::OleSession ole;
    TempTree tree;
};

TEST_F(WindowDropTest, DropOnAFieldTakesTheFirstPath) {
    const std::vector<std::wstring> paths = {tree.addFile(L"First File.text"), tree.addFile(L"second.txt"),
                                             tree.addFolder(L"Third")};
    EXPECT_EQ(dropAt(centreOf(control(G::TextFileName, 1)), paths), DWORD{DROPEFFECT_COPY});
    EXPECT_EQ(longField(), paths[0]);
    EXPECT_EQ(shortField(), systemShortPath(paths[0]));
    EXPECT_EQ(window->form().basePath(), paths[0]);
}

TEST_F(WindowDropTest, DropOnTheUpperOptionLeavesTheSelectionAlone) {
    const std::wstring folder = tree.addFolder(L"A Dropped Folder");
    EXPECT_EQ(dropAt(centreOf(control(G::Option1, 1)), {folder}), DWORD{DROPEFFECT_COPY});
    EXPECT_EQ(longField(), folder);
    EXPECT_EQ(::SendMessageW(control(G::Option1, 0), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(::SendMessageW(control(G::Option1, 1), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(WindowDropTest, CopyAndLevelButtonsRefuseDrops) {
    const std::wstring file = tree.addFile(L"refused.txt");
    for (const HWND button : {control(G::BtnCopy, 0), control(G::BtnCopy, 1), control(G::BtnDirLV, 0)}) {
        EXPECT_EQ(dropAt(centreOf(button), {file}), DWORD{DROPEFFECT_NONE});
        EXPECT_EQ(longField(), L"");
    }
    // The list button takes it, and makes no listing.
    putOnClipboard(L"kept");
    EXPECT_EQ(dropAt(centreOf(control(G::BtnListCopy)), {file}), DWORD{DROPEFFECT_COPY});
    EXPECT_EQ(longField(), file);
    EXPECT_EQ(clipboardText(), L"kept");
}

}  // namespace
}  // namespace twinpath::wine
