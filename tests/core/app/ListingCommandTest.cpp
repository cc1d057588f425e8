#include <gtest/gtest.h>

#include "app/MainController.h"
#include "app/Texts.h"
#include "fakes/Fakes.h"

using namespace twinpath;
using Texts = std::vector<std::wstring>;

struct ListingCommandTest : testing::Test {
    void SetUp() override {
        for (const wchar_t* path : {L"C:\\Data\\Sub\\", L"C:\\Data\\b.txt", L"C:\\Data\\A.txt", L"C:\\One\\only.txt"})
            fs->add(path);
        open(L"C:\\Data\\A.txt");
    }
    void open(const std::wstring& path) {
        controller.openPath(path);
        work.settle();
        view.calls.clear();
    }
    // Lets the listing read its entries, and has the window tick `after` ms after it began.
    void readAndTick(std::uint64_t after) {
        work.run();
        work.clock = 2000 + after;
        controller.onWorkTick();
    }
    std::shared_ptr<fakes::FakeFileSystem> fs = std::make_shared<fakes::FakeFileSystem>();
    fakes::FakeView view;
    fakes::FakeProcess process;
    fakes::FakeWork work;
    MainController controller{view, work, fs, std::make_shared<fakes::FakeText>(), process};
};

TEST_F(ListingCommandTest, ListCopiesTheShownFolderInTheModeThatWasPicked) {
    controller.copyListing();
    work.settle();
    EXPECT_EQ(view.calls,
              (Texts{L"restore", L"front", L"busy", L"set DIR : C:\\Data\r\n\r\nSub\r\nA.txt\r\nb.txt\r\n", L"idle"}));
    // The pick shows in the menu and lasts: the next List takes it too.
    controller.pickListMode(ListMode::SizeAndDate);
    work.settle();
    EXPECT_EQ(view.mode, ListMode::SizeAndDate);
    view.clipboard.clear();
    controller.copyListing();
    work.settle();
    EXPECT_TRUE(view.clipboard.starts_with(L"DIR : C:\\Data\r\n\r\n  SIZE   DATE")) << view.clipboard;
    controller.onListButtonRightClick();
    EXPECT_EQ(view.calls.back(), L"menu");
}

TEST_F(ListingCommandTest, ProgressIsToldAfter300MsAtMostTenTimesASecondWithTheCountReadSoFar) {
    work.clock = 2000;
    controller.copyListing();
    controller.copyListing();  // a second List while one runs does nothing
    EXPECT_EQ(work.waiting.size(), 1u);
    struct Row {
        std::uint64_t at;
        const wchar_t* shortField;
        bool taskbar;
    };
    for (const Row row : {
             Row{2299, L"C:\\Data\\A.txt", false},
             Row{2300, L"Listing C:\\Data\\A.txt: 0 entries\u2026 (Esc cancels)", true},
             Row{2399, L"Listing C:\\Data\\A.txt: 0 entries\u2026 (Esc cancels)", true},
             Row{2400, L"Listing C:\\Data: 3 entries\u2026 (Esc cancels)", true},
         }) {
        if (row.at == 2399) work.run();  // the listing has read its entries meanwhile
        work.clock = row.at;
        controller.onWorkTick();
        EXPECT_EQ(view.field(NameField::Short), row.shortField) << row.at;
        EXPECT_EQ(view.taskbar, row.taskbar) << row.at;
    }
    // Done after telling: the clipboard has it, the field shows the form again, the taskbar button is plain.
    work.finish();
    EXPECT_EQ(view.field(NameField::Short), L"C:\\Data\\A.txt");
    EXPECT_FALSE(view.taskbar || view.ticking);
    EXPECT_TRUE(view.clipboard.starts_with(L"DIR : C:\\Data"));
}

TEST_F(ListingCommandTest, TheCountIsWrittenInTheSingularForOneEntry) {
    struct Row {
        const wchar_t* path;
        const wchar_t* told;
    };
    for (const Row row : {Row{L"C:\\One\\only.txt", L"Listing C:\\One: 1 entry\u2026 (Esc cancels)"},
                          Row{L"C:\\Data\\A.txt", L"Listing C:\\Data: 3 entries\u2026 (Esc cancels)"}}) {
        open(row.path);
        work.clock = 2000;
        controller.copyListing();
        readAndTick(300);
        EXPECT_EQ(view.field(NameField::Short), row.told);
        work.settle();
    }
}

TEST_F(ListingCommandTest, CountsAreWrittenWithAThousandsSeparatorFromTheFourthDigit) {
    struct Row {
        std::size_t count;
        const wchar_t* written;
    };
    for (const Row row : {Row{0, L"0"}, Row{999, L"999"}, Row{1000, L"1,000"}, Row{99999, L"99,999"},
                          Row{100000, L"100,000"}, Row{999999, L"999,999"}, Row{1000000, L"1,000,000"},
                          Row{18446744073709551615u, L"18,446,744,073,709,551,615"}})
        EXPECT_EQ(texts::withThousands(row.count), row.written);
}

// Every way a listing can end without being copied leaves the clipboard as it was and the field saying why.
TEST_F(ListingCommandTest, AListingStoppedBeforeItsEndCopiesNothing) {
    using Stop = void (*)(MainController&);
    struct Row {
        const char* how;
        Stop stop;
        const wchar_t* shown;  // in both fields afterwards
    };
    for (const Row row : {
             Row{"Esc", [](MainController& c) { c.cancelWork(); }, L"C:\\Data\\A.txt"},
             Row{"up", [](MainController& c) { c.moveLevel(Level::Up); }, L"C:\\Data"},
             Row{"down", [](MainController& c) { c.moveLevel(Level::Down); }, L"C:\\Data\\A.txt"},
             Row{"new path", [](MainController& c) { c.openPath(L"C:\\One\\only.txt"); }, L"C:\\One\\only.txt"},
             Row{"closed", [](MainController& c) { c.close(); }, L"C:\\Data\\A.txt"},
         }) {
        open(L"C:\\Data\\A.txt");
        if (row.how == std::string("down")) {
            controller.moveLevel(Level::Up);
            work.settle();
        }
        controller.copyListing();
        work.run();  // the listing has ended, its result not yet back
        row.stop(controller);
        work.settle();
        EXPECT_EQ(view.clipboard, L"untouched") << row.how;
        const bool esc = row.how == std::string("Esc"), closes = row.how == std::string("closed");
        EXPECT_EQ(view.field(NameField::Short), esc ? texts::kListingCancelled : row.shown) << row.how;
        EXPECT_EQ(view.field(NameField::Long), row.shown) << row.how;
        const auto pointer = std::find_if(view.calls.rbegin(), view.calls.rend(),
                                          [](const std::wstring& call) { return call == L"busy" || call == L"idle"; });
        // The pointer of a window that closes does not matter any more.
        EXPECT_EQ(*pointer, closes ? L"busy" : L"idle") << row.how;
        EXPECT_FALSE(view.ticking || view.taskbar) << row.how;
    }
}

TEST_F(ListingCommandTest, APickDuringAListingReplacesItWithTheListingInTheNewMode) {
    controller.copyListing();
    controller.pickListMode(ListMode::TabSeparated);
    EXPECT_EQ(work.waiting.size(), 2u);
    work.settle();
    EXPECT_TRUE(view.clipboard.starts_with(L"Name\tType\tSize\tModified\r\n")) << view.clipboard;
    EXPECT_EQ(view.field(NameField::Short), L"C:\\Data\\A.txt");
    // The same for "Include Subfolders", which turns the whole tree on and off.
    controller.copyListing();
    controller.toggleSubfolders();
    work.settle();
    EXPECT_TRUE(view.wholeTree);
    EXPECT_EQ(std::count(view.calls.begin(), view.calls.end(), L"busy"),
              std::count(view.calls.begin(), view.calls.end(), L"idle"));
}

TEST_F(ListingCommandTest, AFailedListingOrABusyClipboardLeavesTheClipboardAndSaysWhy) {
    fs->failure = L"The network name is no longer available.";
    controller.copyListing();
    work.settle();
    EXPECT_EQ(view.field(NameField::Short), L"Cannot list C:\\Data: The network name is no longer available.");
    fs->failure.clear();
    view.held = true;
    controller.copyListing();
    work.settle();
    EXPECT_EQ(view.field(NameField::Short), texts::kClipboardBusy);
    EXPECT_EQ(view.clipboard, L"untouched");
    EXPECT_EQ(view.calls.back(), L"idle");
}

TEST_F(ListingCommandTest, AWholeTreeNamesTheFirstFolderThatCouldNotBeReadAndCountsThem) {
    fs->add(L"C:\\Data\\Sub\\Inner\\c.txt");
    fs->add(L"C:\\Data\\Sub\\Other\\d.txt");
    fs->unreadable[L"C:\\Data\\Sub\\Inner"] = L"Access is denied.";
    controller.toggleSubfolders();
    work.settle();
    EXPECT_EQ(view.clipboard,
              L"DIR : C:\\Data\r\n\r\nSub\r\nSub\\Inner\r\nSub\\Other\r\nSub\\Other\\d.txt\r\nA.txt\r\nb.txt\r\n");
    EXPECT_EQ(view.field(NameField::Short),
              L"Copied 6 entries; 1 folder could not be read: C:\\Data\\Sub\\Inner (Access is denied.)");
    fs->unreadable[L"C:\\Data\\Sub\\Other"] = L"The network name is no longer available.";
    controller.copyListing();
    work.settle();
    EXPECT_EQ(view.field(NameField::Short),
              L"Copied 5 entries; 2 folders could not be read: C:\\Data\\Sub\\Inner (Access is denied.)");
    fs->add(L"C:\\Lone\\Locked\\");
    fs->unreadable[L"C:\\Lone\\Locked"] = L"Access is denied.";
    open(L"C:\\Lone");
    controller.copyListing();
    work.settle();
    EXPECT_EQ(view.field(NameField::Short),
              L"Copied 1 entry; 1 folder could not be read: C:\\Lone\\Locked (Access is denied.)");
}

TEST_F(ListingCommandTest, EscBetweenTwoFoldersOfATreeStopsIt) {
    fs->onSearch = [this](const std::wstring& pattern) {
        if (pattern == L"C:\\Data\\Sub\\*") controller.cancelWork();
    };
    controller.toggleSubfolders();
    work.settle();
    EXPECT_EQ(view.field(NameField::Short), texts::kListingCancelled);
    EXPECT_EQ(view.clipboard, L"untouched");
}
