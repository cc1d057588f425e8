#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

#include "app/Texts.h"
#include "platform/win32/Handles.h"
#include "tests/win32/TempTree.h"
#include "tests/win32/WindowHarness.h"

namespace twinpath::wine {
namespace {

using G = ControlGroup;

int px(int twips) { return twipsToPixels(twips, 96); }

TEST_F(WindowTest, ControlsComeInTabOrderWithTheirCaptions) {
    window = std::make_unique<win32::MainWindow>(::GetModuleHandleW(nullptr), fileSystem, text, process);
    ASSERT_TRUE(window->create());
    std::vector<std::wstring> captions;
    for (HWND child = ::GetWindow(hwnd(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        captions.push_back(textOf(child));
    EXPECT_EQ(captions, (std::vector<std::wstring>{L"TextLong", L"TextShort", L"Copy", L"Copy", L"List", L"Normal",
                                                    L"Upper", L"Lower", L"<", L">", L"Long File Name",
                                                    L"Short File Name", L"<--->", L">---<"}));
    EXPECT_TRUE(window->modeChecked(0));
    EXPECT_FALSE(window->modeChecked(1));

    // The Tab key walks the controls in that order and wraps around.
    const HWND stops[] = {control(G::TextFileName, 0), control(G::TextFileName, 1), control(G::BtnCopy, 0),
                          control(G::BtnCopy, 1),      control(G::BtnListCopy),     control(G::Option1, 0),
                          control(G::BtnDirLV, 0),     control(G::BtnDirLV, 1),     control(G::TextFileName, 0)};
    window->selectOption(0);
    for (std::size_t i = 0; i + 1 < std::size(stops); ++i)
        EXPECT_EQ(::GetNextDlgTabItem(hwnd(), stops[i], FALSE), stops[i + 1]) << "after stop " << i;
}

TEST_F(WindowTest, StartShowsEmptyFieldsNormalAndTheVersion) {
    start();
    EXPECT_EQ(textOf(hwnd()), L"Twinpath  < Drag&Drop or Command Line >  Ver.1.3.0");
    EXPECT_EQ(longField(), L"");
    EXPECT_EQ(shortField(), L"");
    EXPECT_EQ(::SendMessageW(control(G::Option1, 0), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(::GetFocus(), control(G::TextFileName, 1));
}

TEST_F(WindowTest, GeometryFollowsTheTwipsTableAt96Dpi) {
    start();
    ASSERT_EQ(::GetDpiForWindow(hwnd()), 96u);
    for (const ControlDesign& design : controlTable()) {
        const RECT r = clientRectOf(control(design.group, design.index));
        EXPECT_EQ(r.left, px(design.rect.left)) << textOf(control(design.group, design.index));
        EXPECT_EQ(r.top, px(design.rect.top)) << textOf(control(design.group, design.index));
        EXPECT_EQ(r.bottom - r.top, px(design.rect.height)) << textOf(control(design.group, design.index));
        if (design.group != G::TextFileName) {
            EXPECT_EQ(r.right - r.left, px(design.rect.width));
        }
    }
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    for (int field : {0, 1}) EXPECT_EQ(clientRectOf(control(G::TextFileName, field)).right, client.right);
    // The whole design client area is visible: nothing is cut off below.
    EXPECT_GE(client.bottom, px(900 + 270));
}

TEST_F(WindowTest, HeightSnapsBackWidthHasAMinimumAndFieldsFollow) {
    start();
    const RECT first = outerRect();
    const int height = first.bottom - first.top;
    const int minimumWidth = first.right - first.left;
    EXPECT_GE(height, px(1595));
    EXPECT_GE(minimumWidth, px(6930));

    ::SetWindowPos(hwnd(), nullptr, 0, 0, 200, 500, SWP_NOMOVE | SWP_NOZORDER);
    pump();
    EXPECT_EQ(outerRect().bottom - outerRect().top, height);
    EXPECT_EQ(outerRect().right - outerRect().left, minimumWidth);

    ::SetWindowPos(hwnd(), nullptr, 0, 0, px(9000), 40, SWP_NOMOVE | SWP_NOZORDER);
    pump();
    EXPECT_EQ(outerRect().right - outerRect().left, px(9000));
    EXPECT_EQ(outerRect().bottom - outerRect().top, height);
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    for (int field : {0, 1}) EXPECT_EQ(clientRectOf(control(G::TextFileName, field)).right, client.right);
    // Buttons stay anchored top-left.
    EXPECT_EQ(clientRectOf(control(G::BtnDirLV, 1)).left, px(6360));
}

TEST_F(WindowTest, MaximizedWindowIsNotHeldToTheFixedHeight) {
    start();
    const int height = outerRect().bottom - outerRect().top;
    ::ShowWindow(hwnd(), SW_MAXIMIZE);
    pump();
    EXPECT_GT(outerRect().bottom - outerRect().top, height);
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    EXPECT_EQ(clientRectOf(control(G::TextFileName, 0)).right, client.right);

    ::ShowWindow(hwnd(), SW_RESTORE);
    pump();
    EXPECT_EQ(outerRect().bottom - outerRect().top, height);
}

TEST_F(WindowTest, MovingToAMonitorOfTwiceTheDpiScalesEverything) {
    start();
    const RECT before = outerRect();
    RECT suggested{before.left, before.top, before.left + 2 * (before.right - before.left),
                   before.top + 2 * (before.bottom - before.top)};
    ::SendMessageW(hwnd(), WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    pump();
    const int at192 = 192;
    for (const ControlDesign& design : controlTable()) {
        const RECT r = clientRectOf(control(design.group, design.index));
        EXPECT_EQ(r.left, twipsToPixels(design.rect.left, at192)) << textOf(control(design.group, design.index));
        EXPECT_EQ(r.top, twipsToPixels(design.rect.top, at192)) << textOf(control(design.group, design.index));
    }
    EXPECT_GE(outerRect().bottom - outerRect().top, twipsToPixels(1595, at192));
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    EXPECT_EQ(clientRectOf(control(G::TextFileName, 1)).right, client.right);
    EXPECT_GE(client.bottom, twipsToPixels(900 + 270, at192));
}

TEST_F(WindowTest, CopyButtonsPlaceTheFieldOrPrompt) {
    start();
    putOnClipboard(L"kept");
    click(G::BtnCopy, 0);
    EXPECT_EQ(shortField(), texts::kPrompt);
    EXPECT_EQ(clipboardText(), L"kept");

    TempTree tree;
    const std::wstring file = tree.addFile(L"Some Long Name.text");
    window->form().setLinkLabelCaption(file);
    pump();
    click(G::BtnCopy, 1);
    EXPECT_EQ(clipboardText(), systemShortPath(file));
    window->form().Option1_Click(1);
    click(G::BtnCopy, 0);
    EXPECT_EQ(clipboardText(), text.toUpper(file));
}

TEST_F(WindowTest, DoubleClickAndFocusSelectTheWholeField) {
    TempTree tree;
    start(tree.addFolder(L"A Folder"));
    const HWND field = control(G::TextFileName, 0);
    ::SendMessageW(field, EM_SETSEL, 0, 0);
    ::SendMessageW(field, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
    pump();
    DWORD start = 1, end = 0;
    ::SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, longField().size());
}

}  // namespace
}  // namespace twinpath::wine
