#include <gtest/gtest.h>

#include "app/ControllerSession.h"
#include "app/Texts.h"

using namespace twinpath;
using Texts = std::vector<std::wstring>;

struct ListingCommandTest : ControllerSession {
    void SetUp() override {
        for (const wchar_t* path : {L"C:\\Data\\Sub\\", L"C:\\Data\\b.txt", L"C:\\Data\\A.txt", L"C:\\One\\only.txt"})
            fs->add(path);
        open(L"C:\\Data\\A.txt");
    }
    // Lists the shown folder to its end and tells what the field says then.
    const std::wstring& listed() {
        controller.copyListing();
        work.settle();
        return shortField();
    }
};

TEST_F(ListingCommandTest, ListCopiesTheShownFolderWithTheBusyPointerMeanwhile) {
    listed();
    EXPECT_EQ(view.calls,
              (Texts{L"restore", L"front", L"busy", L"set DIR : C:\\Data\r\n\r\nSub\r\nA.txt\r\nb.txt\r\n", L"idle"}));
}

TEST_F(ListingCommandTest, ProgressIsToldAfter300MsAtMostTenTimesASecondWithTheEntriesReadSoFar) {
    open(L"C:\\One\\only.txt");
    work.clock = 2000;
    controller.copyListing();
    controller.copyListing();  // a second List while one runs does nothing
    EXPECT_EQ(work.waiting.size(), 1u);
    struct Row {
        std::uint64_t at;
        const wchar_t* shortField;
    };
    for (const Row row : {Row{.at = 2299, .shortField = L"C:\\One\\only.txt"},
                          Row{.at = 2300, .shortField = L"Listing C:\\One\\only.txt: 0 entries\u2026 (Esc cancels)"},
                          Row{.at = 2399, .shortField = L"Listing C:\\One\\only.txt: 0 entries\u2026 (Esc cancels)"},
                          Row{.at = 2400, .shortField = L"Listing C:\\One: 1 entry\u2026 (Esc cancels)"}}) {
        if (row.at == 2399) work.run();  // the listing has read its entries meanwhile
        work.clock = row.at;
        controller.onWorkTick();
        EXPECT_EQ(shortField(), row.shortField) << row.at;
        EXPECT_EQ(view.taskbar, row.at >= 2300) << row.at;
    }
    // Done after telling: the field shows the form again and the taskbar button is plain.
    work.finish();
    EXPECT_EQ(shortField(), L"C:\\One\\only.txt");
    EXPECT_FALSE(view.taskbar || view.ticking);
}

// Every way a listing can end without being copied leaves the clipboard as it was and the field saying why.
TEST_F(ListingCommandTest, AListingStoppedBeforeItsEndCopiesNothing) {
    struct Row {
        void (*stop)(MainController&);
        const wchar_t *shortField, *longField;
    };
    for (const Row row : {
             Row{[](MainController& c) { c.cancelWork(); }, texts::kListingCancelled, L"C:\\Data\\A.txt"},
             Row{[](MainController& c) { c.moveLevel(Level::Up); }, L"C:\\Data", L"C:\\Data"},
             Row{[](MainController& c) { c.openItems({L"C:\\One\\only.txt"}); }, L"C:\\One\\only.txt",
                 L"C:\\One\\only.txt"},
             Row{[](MainController& c) { c.close(); }, L"C:\\Data\\A.txt", L"C:\\Data\\A.txt"},
         }) {
        open(L"C:\\Data\\A.txt");
        controller.copyListing();
        work.run();  // the listing has ended, its result not yet back
        row.stop(controller);
        work.settle();
        EXPECT_EQ(view.clipboard, L"untouched") << row.longField;
        EXPECT_EQ(shortField(), row.shortField);
        EXPECT_EQ(view.field(NameField::Long), row.longField);
        EXPECT_FALSE(view.ticking || view.taskbar);
    }
}

TEST_F(ListingCommandTest, APickDuringAListingReplacesItWithTheListingInTheNewMode) {
    controller.copyListing();
    controller.pickListMode(ListMode::TabSeparated);
    EXPECT_EQ(work.waiting.size(), 2u);
    work.settle();
    EXPECT_TRUE(view.clipboard.starts_with(L"Name\tType\tSize\tModified\r\n")) << view.clipboard;
    EXPECT_EQ(shortField(), L"C:\\Data\\A.txt");
}

TEST_F(ListingCommandTest, AFailedListingOrABusyClipboardLeavesTheClipboardAndSaysWhy) {
    fs->failure = L"The network name is no longer available.";
    EXPECT_EQ(listed(), L"Cannot list C:\\Data: The network name is no longer available.");
    fs->failure.clear();
    view.held = true;
    EXPECT_EQ(listed(), texts::kClipboardBusy);
    EXPECT_EQ(view.clipboard, L"untouched");
}

TEST_F(ListingCommandTest, AWholeTreeNamesTheFirstFolderThatCouldNotBeReadAndCountsThem) {
    fs->add(L"C:\\Data\\Sub\\Inner\\c.txt");
    fs->add(L"C:\\Data\\Sub\\Other\\d.txt");
    fs->unreadable[L"C:\\Data\\Sub\\Inner"] = L"Access is denied.";
    controller.toggleSubfolders();
    work.settle();
    EXPECT_EQ(shortField(), L"Copied 6 entries; 1 folder could not be read: C:\\Data\\Sub\\Inner (Access is denied.)");
    fs->unreadable[L"C:\\Data\\Sub\\Other"] = L"The network name is no longer available.";
    EXPECT_EQ(listed(), L"Copied 5 entries; 2 folders could not be read: C:\\Data\\Sub\\Inner (Access is denied.)");
    fs->add(L"C:\\Lone\\Locked\\");
    fs->unreadable[L"C:\\Lone\\Locked"] = L"Access is denied.";
    open(L"C:\\Lone");
    EXPECT_EQ(listed(), L"Copied 1 entry; 1 folder could not be read: C:\\Lone\\Locked (Access is denied.)");
}
