// The program's window in this process, on the real file system and
// clipboard: its controls and layout, and each kind of command end to end.
#include "app/Texts.h"
#include "tests/win32/Support.h"
#include "win32/OleSession.h"

using namespace twinpath::wine;

void setWriteTime(const std::wstring& path, const SYSTEMTIME& utc) {
    FILETIME time{};
    ::SystemTimeToFileTime(&utc, &time);
    const win32::UniqueHandle file(::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                                                 OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    ::SetFileTime(file.get(), nullptr, nullptr, &time);
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The window of an earlier test in this process posted WM_QUIT as it went.
        MSG quit;
        ::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        // New York's daylight-saving dates moved in 2007: each time must take its own year's rules.
        setWriteTime(tree.add(L"Data\\a.txt", std::string(1234, 'a')), {2001, 3, 0, 20, 12, 5, 3, 0});
        setWriteTime(tree.add(L"Data\\B.txt", std::string(3584, 'b')), {2020, 3, 0, 20, 12, 0, 3, 0});
        ASSERT_TRUE(ole.active() && session.created);
        ASSERT_EQ(controller.start(), MainController::StartResult::ShowWindow);
        controller.showStartPath();
        window.show(SW_SHOWNORMAL);
        window.showHelp();
        ASSERT_TRUE(window.acceptDrops());
    }

    HWND control(Control which) const { return window.control(which); }
    // Handles the waiting messages and lets the work they started end and show its results.
    void settle() {
        win32::handleWaitingMessages();
        window.awaitWork(10000);
        win32::handleWaitingMessages();
    }
    // Sends a message once the waiting ones are handled, and settles what it started.
    void send(HWND target, UINT message, LPARAM lParam = 0) {
        settle();
        ::SendMessageW(target, message, 0, lParam);
        settle();
    }

    // A user who presses the keys in the next popup menu, which runs modal
    // meanwhile: `downs` times Down (after `first`), then Enter.
    static std::jthread menuUser(std::vector<WPARAM> first, int downs) {
        first.insert(first.end(), static_cast<std::size_t>(downs), VK_DOWN);
        first.push_back(VK_RETURN);
        return std::jthread([keys = std::move(first)] {
            HWND menu = nullptr;
            if (!waitUntil([&] { return (menu = ::FindWindowW(L"#32768", nullptr)) != nullptr; })) return;
            for (const WPARAM key : keys) ::PostMessageW(menu, WM_KEYDOWN, key, 0);
        });
    }

    // Picks an entry of the mode menu that a right click on "List" opens (the
    // modes, then "Include Subfolders"), by keyboard as a user would.
    static constexpr int kIncludeSubfolders = 3;
    void pickEntry(int entry) {
        const std::jthread user = menuUser({VK_DOWN, VK_RIGHT}, entry);
        send(control(Control::List), WM_RBUTTONUP);
    }

    // Puts a file list, or a text, on the clipboard as Explorer's Copy does.
    void copyToClipboard(UINT format, const std::string& bytes) {
        if (ClipboardSession clipboard(window.hwnd()); clipboard.open && ::EmptyClipboard()) {
            win32::UniqueGlobal data = globalCopy(bytes);
            if (::SetClipboardData(format, data.get())) data.release();
        }
    }
    // Drags a file list to the middle of `target` and drops it there. The
    // clipboard's data object stands in for a drag source's.
    DWORD dropOn(HWND target, const std::vector<std::wstring>& paths) {
        copyToClipboard(CF_HDROP, fileListBytes(paths));
        IDataObject* data = nullptr;
        ::OleGetClipboard(&data);
        const win32::ComPtr<IDataObject> owned(data);
        RECT r{};
        ::GetWindowRect(target, &r);
        const POINTL middle{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        window.dropTarget()->DragEnter(data, MK_LBUTTON, middle, &effect);
        window.dropTarget()->Drop(data, 0, middle, &effect);
        settle();
        return effect;
    }

    TempTree tree;
    const std::wstring folder = tree.root + L"\\Data";
    const std::wstring deep = tree.add(L"Deep\\Deeper Folder\\Deepest\\");
    win32::OleSession ole;
    WindowSession session;
    win32::MainWindow& window = session.window;
    MainController& controller = session.controller;
};

TEST_F(WindowTest, ControlsComeInTabOrderWithTheShortFormFocusedAndTheStoredCaseChecked) {
    EXPECT_EQ(::GetFocus(), control(Control::ShortField));
    std::vector<std::wstring> captions;
    for (HWND child = ::GetWindow(window.hwnd(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        captions.push_back(textOf(child));
    EXPECT_EQ(captions,
              (std::vector<std::wstring>{L"", L"", L"Copy", L"Copy", L"List", L"Normal", L"Upper", L"Lower", L"<", L">",
                                         L"Long File Name", L"Short File Name", L"<--->", L">---<"}));
    EXPECT_EQ(::SendMessageW(control(Control::CaseStored), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(WindowTest, ListAndTheModeMenuCopyTheFolderInEveryMode) {
    window.queuePath(folder + L"\\a.txt");
    pickEntry(static_cast<int>(ListMode::SizeAndDate));
    // The menu shows the mode picked, and "Include Subfolders" (below a separator) off. Each time takes the
    // daylight-saving rules of its own year.
    const auto checks = [this] {
        std::wstring marks;
        for (int item = 0; item < ::GetMenuItemCount(window.modeMenu()); ++item)
            marks += ::GetMenuState(window.modeMenu(), item, MF_BYPOSITION) & MF_CHECKED ? L'x' : L'-';
        return marks;
    };
    EXPECT_EQ(checks(), L"-x---");
    std::wstring tip(256, L'\0');
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = window.hwnd();
    tool.uId = reinterpret_cast<UINT_PTR>(control(Control::List));
    tool.lpszText = tip.data();
    ::SendMessageW(window.buttonTips(), TTM_GETTEXTW, tip.size(), reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(tip.c_str(),
                 L"Copy a listing of the folder (now: Names, Size, Date). Right-click to choose the format.");
    EXPECT_EQ(clipboardText(), L"DIR : " + folder +
                                   L"\r\n\r\n  SIZE   DATE       TIME   \tNAME\r\n"
                                   L"    1KB 2001/03/20 07:05:03\ta.txt\r\n    4KB 2020/03/20 08:00:03\tB.txt\r\n");
    // With "Include Subfolders" the tree below the folder.
    window.queuePath(tree.root);
    pickEntry(kIncludeSubfolders);
    EXPECT_EQ(checks(), L"-x--x");
    EXPECT_TRUE(clipboardText().value_or(L"").ends_with(L"\tDeep\\Deeper Folder\\Deepest\r\n"));
}

TEST_F(WindowTest, ADropOnAFieldIsTakenTheLevelsWalkItAndTheCopyButtonsCopyItsForms) {
    EXPECT_EQ(dropOn(control(Control::CopyLong), {deep}), DWORD{DROPEFFECT_NONE});
    EXPECT_EQ(textOf(control(Control::LongField)), L"");
    EXPECT_EQ(dropOn(control(Control::ShortField), {deep}), DWORD{DROPEFFECT_COPY});
    EXPECT_EQ(textOf(control(Control::LongField)), deep);
    send(control(Control::Up), BM_CLICK);
    EXPECT_EQ(textOf(control(Control::LongField)), tree.root + L"\\Deep\\Deeper Folder");
    // The short button's last item, from the menu that Shift+F10 opens.
    const HWND shortButton = control(Control::CopyShort);
    const std::jthread user = menuUser({}, std::size(texts::kFormItems));
    ::SendMessageW(shortButton, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(shortButton), -1);
    win32::handleWaitingMessages();
    EXPECT_EQ(clipboardText(), systemShortPath(tree.root + L"\\Deep") + L"\\Deeper Folder");
    // No drive is mapped to a share here: Enter on the greyed network path says why nothing was copied.
    const std::jthread greyedPick = menuUser({}, 1 + static_cast<int>(PathForm::Network));
    send(control(Control::CopyLong), WM_RBUTTONUP);
    EXPECT_EQ(textOf(control(Control::ShortField)), L"Nothing was copied: the path is not on a mapped network drive.");
    send(control(Control::Down), BM_CLICK);
    EXPECT_EQ(textOf(control(Control::LongField)), deep);
    send(shortButton, BM_CLICK);
    EXPECT_EQ(clipboardText(), systemShortPath(deep));
}

TEST_F(WindowTest, SeveralItemsShowTheFirstAndAllNItemsCopiesEveryOne) {
    const std::wstring a = folder + L"\\a.txt", b = folder + L"\\B.txt";
    dropOn(control(Control::LongField), {tree.root + L"\\gone.txt", a, b});
    EXPECT_EQ(textOf(control(Control::LongField)) + L"|" + textOf(control(Control::LongHeading)),
              a + L"|Long File Name (2 items)");
    // The long Copy button's nine forms, then past the separator "All 2 Items" and its first form.
    std::vector<WPARAM> keys(std::size(texts::kFormItems), VK_DOWN);
    keys.push_back(VK_RIGHT);
    const std::jthread user = menuUser(keys, 0);
    send(control(Control::CopyLong), WM_RBUTTONUP);
    EXPECT_EQ(clipboardText(), a + L"\r\n" + b);
    // Ctrl+V takes the files copied in Explorer; Shift+Insert a path copied as text, in quotes.
    const auto press = [this](BYTE modifier, WPARAM key) {
        BYTE state[256]{};
        ::GetKeyboardState(state);
        state[modifier] = 0x80;
        ::SetKeyboardState(state);
        MSG down{control(Control::ShortField), WM_KEYDOWN, key, 0, 0, {}};
        if (!window.preTranslate(down)) ::DispatchMessageW(&down);
        state[modifier] = 0;
        ::SetKeyboardState(state);
        settle();
    };
    copyToClipboard(CF_HDROP, fileListBytes({b, a}));
    press(VK_CONTROL, 'V');
    EXPECT_EQ(textOf(control(Control::LongField)), b);
    copyToClipboard(CF_UNICODETEXT, bytesOf(L"\"" + deep + L"\"\r\n" + L'\0'));
    press(VK_SHIFT, VK_INSERT);
    EXPECT_EQ(textOf(control(Control::LongField)), deep);
}

TEST_F(WindowTest, ControlsAndTheHintFollowTheDpiAndTheHintShowsBelowTheFocusedField) {
    // Wine gives every long name an alias: a real path brings no hint here.
    window.queuePath(deep);
    settle();
    EXPECT_EQ(window.hintTip(), nullptr);
    const auto fontHeight = [](HWND window) {
        LOGFONTW font{};
        ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0)), sizeof font, &font);
        return font.lfHeight;
    };
    // Every control moves to its place at the new DPI and back. The hint's tip, made after a move to
    // another DPI and kept on a move back, takes the controls' font.
    for (const WORD dpi : {192, 96}) {
        RECT r{};
        ::GetWindowRect(window.hwnd(), &r);
        ::SendMessageW(window.hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&r));
        ::GetClientRect(window.hwnd(), &r);
        const LONG clientWidth = r.right;
        const auto px = [dpi](int twips) { return twipsToPixels(twips, dpi); };
        for (const ControlDesign& design : controlTable()) {
            ::GetWindowRect(control(design.control), &r);
            ::MapWindowPoints(HWND_DESKTOP, window.hwnd(), reinterpret_cast<POINT*>(&r), 2);
            const int width = design.kind == ControlKind::TextField ? clientWidth : px(design.rect.width);
            EXPECT_EQ((std::array{r.left, r.top, r.right - r.left, r.bottom - r.top}),
                      (std::array<LONG, 4>{px(design.rect.left), px(design.rect.top), width, px(design.rect.height)}))
                << design.caption << " at " << dpi;
        }
        if (dpi == 192) window.setShortFormHint(L"?");
        EXPECT_EQ(fontHeight(window.hintTip()), fontHeight(control(Control::ShortHeading))) << dpi;
    }
    const std::wstring hint = L"No short name for \"Deeper Folder\": the file system keeps no short names (ReFS).";
    window.setShortFormHint(hint);
    for (const Control field : {Control::ShortField, Control::LongField}) {
        ::SetFocus(control(field));
        win32::handleWaitingMessages();
        EXPECT_EQ(::IsWindowVisible(window.hintTip()) ? textOf(window.hintTip()) : L"",
                  field == Control::ShortField ? hint : L"");
    }
    EXPECT_EQ(textOf(control(Control::ShortHeading)), L"Short File Name (?)");
    window.setShortFormHint(L"");
    EXPECT_EQ(textOf(control(Control::ShortHeading)), L"Short File Name");
}
