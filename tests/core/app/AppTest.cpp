#include <gtest/gtest.h>

#include "app/MainController.h"
#include "app/ShortNameHint.h"
#include "app/Texts.h"
#include "app/WindowLayout.h"
#include "fakes/Fakes.h"

using namespace twinpath;
using Texts = std::vector<std::wstring>;

struct MainControllerTest : testing::Test {
    void SetUp() override {
        for (const wchar_t* path :
             {L"C:\\Program Files|PROGRA~1\\Tools\\Read Me.txt|README~1.TXT", L"C:\\Data\\Sub\\", L"C:\\Data\\b.txt",
              L"C:\\Data\\A.txt", L"\\\\Server\\Share\\Dir\\File.txt", L"\\\\?\\C:\\Data\\Sub\\"})
            fs.add(path);
    }
    fakes::FakeFileSystem fs;
    fakes::FakeText text;
    fakes::FakeView view;
    fakes::FakeProcess process;
    fakes::FakeWork work;
    MainController controller{view, fs, text, process, work};
};

TEST_F(MainControllerTest, StartShowsTheFormsUnlessARunningCopyTakesThePath) {
    for (const auto& [running, answers] : {std::pair(false, false), std::pair(true, false), std::pair(true, true)}) {
        process.running = running, process.answers = answers, process.arguments = L"\"data\\a.txt\" \"C:\\Data\"";
        fakes::FakeView shown;
        MainController started(shown, fs, text, process, work);
        const bool handed = started.start() == MainController::StartResult::HandedOff;
        if (!handed) started.showStartPath();
        EXPECT_EQ(handed, running && answers);
        // A relative path is made full here: the running copy does not share this copy's current folder.
        EXPECT_EQ(process.handedOff, handed ? Texts{L"C:\\data\\a.txt"} : Texts{});
        EXPECT_EQ(shown.fields[0], handed ? L"" : L"C:\\Data\\A.txt");
        EXPECT_EQ(shown.title, handed ? L"Twinpath" : L"Twinpath  Ver.1.3.0");
        EXPECT_EQ(shown.calls, (handed ? Texts{} : Texts{L"case 0", L"focus", L"0+13"}));
    }
}

TEST_F(MainControllerTest, LetterCasesApplyToBothFormsAndTheirCopies) {
    // Short forms are in mixed case too: the head as typed, and an item that fits 8.3 as it stands.
    controller.openPath(L"c:\\progra~1\\tools\\README~1.TXT");
    for (const auto& [letterCase, longForm, shortForm] :
         std::initializer_list<std::tuple<LetterCase, const wchar_t*, const wchar_t*>>{
             {LetterCase::Upper, L"C:\\PROGRAM FILES\\TOOLS\\READ ME.TXT", L"C:\\PROGRA~1\\TOOLS\\README~1.TXT"},
             {LetterCase::Lower, L"c:\\program files\\tools\\read me.txt", L"c:\\progra~1\\tools\\readme~1.txt"},
             {LetterCase::Stored, L"c:\\Program Files\\Tools\\Read Me.txt", L"c:\\PROGRA~1\\tools\\README~1.TXT"}}) {
        controller.selectCase(letterCase);
        EXPECT_EQ(view.fields[1], shortForm);
        controller.copyField(NameField::Long);
        EXPECT_EQ(view.clipboard, longForm);
        controller.copyField(NameField::Short);
        EXPECT_EQ(view.clipboard, shortForm);
    }
}

TEST_F(MainControllerTest, CommandsWithNothingShownOnlyAskForAFile) {
    for (const auto command :
         {+[](MainController& c) { c.copyField(NameField::Long); },
          +[](MainController& c) { c.copyField(NameField::Short); }, +[](MainController& c) { c.moveLevel(Level::Up); },
          +[](MainController& c) { c.moveLevel(Level::Down); }, +[](MainController& c) { c.copyListing(); },
          +[](MainController& c) { c.onCopyButtonMenu(NameField::Long); },
          +[](MainController& c) { c.copyForm(NameField::Short, PathForm::Name); }}) {
        view = {};
        command(controller);
        EXPECT_EQ(view.fields[1], texts::kPrompt);
        EXPECT_EQ(view.clipboard, L"untouched");
        EXPECT_EQ(view.calls, Texts{});
    }
}

TEST_F(MainControllerTest, LevelsGoUpToTheTopAndBackDownToTheInput) {
    // "<" and ">" in turn, and the long form after each.
    for (const auto& [input, moves, longForms] : std::initializer_list<std::tuple<const wchar_t*, std::wstring, Texts>>{
             {L"c:\\data\\sub", L"<<>>", {L"c:\\Data", L"c:\\Data", L"c:\\Data\\Sub", L"c:\\Data\\Sub"}},
             {L"\\\\Server\\Share\\Dir\\File.txt",
              L"<<<>",
              {L"\\\\Server\\Share\\Dir", L"\\\\Server\\Share", L"\\\\Server\\Share", L"\\\\Server\\Share\\Dir"}},
             {L"\\\\?\\C:\\Data\\Sub", L"<<", {L"\\\\?\\C:\\Data", L"\\\\?\\C:\\Data"}}}) {
        controller.openPath(input);
        for (std::size_t i = 0; i < moves.size(); ++i) {
            controller.moveLevel(moves[i] == L'<' ? Level::Up : Level::Down);
            EXPECT_EQ(view.fields[0], longForms[i]) << testing::PrintToString(input) << " move " << i;
        }
    }
}

TEST_F(MainControllerTest, ListingOfTheShownFolderGoesToTheClipboardSortedInTheCheckedMode) {
    controller.openPath(L"C:\\Data\\A.txt");
    view.calls.clear();
    controller.copyListing();
    const std::wstring report = L"DIR : C:\\Data\r\n\r\nSub\r\nA.txt\r\nb.txt\r\n";
    EXPECT_EQ(view.calls, (Texts{L"restore", L"front", L"busy", L"set " + report, L"idle"}));
    controller.pickListMode(ListMode::SizeAndDate);
    EXPECT_EQ(view.mode, ListMode::SizeAndDate);
    EXPECT_TRUE(view.clipboard.starts_with(L"DIR : C:\\Data\r\n\r\n  SIZE   DATE")) << view.clipboard;
}

TEST_F(MainControllerTest, AFailedListingOrABusyClipboardLeavesTheClipboardAndSaysWhy) {
    controller.openPath(L"C:\\Data\\A.txt");
    fs.failure = L"The network name is no longer available.";
    controller.copyListing();
    EXPECT_EQ(view.fields[1], L"Cannot list C:\\Data: The network name is no longer available.");
    fs.failure.clear(), view.held = true;
    controller.copyListing();
    EXPECT_EQ(view.fields[1], texts::kClipboardBusy);
    controller.openPath(L"C:\\Data\\A.txt");
    controller.copyField(NameField::Long);
    EXPECT_EQ(view.fields[1], texts::kClipboardBusy);
    EXPECT_EQ(view.clipboard, L"untouched");
}

TEST_F(MainControllerTest, ANewerRequestReplacesAnOlderOneAndTheWindowCloseDropsAllResults) {
    work.held = true;
    controller.openPath(L"C:\\Data\\A.txt");
    controller.openPath(L"C:\\Data\\Sub");
    work.runNext();  // the first path's forms, read after the second was asked for
    EXPECT_EQ(view.fields[0], L"");
    work.runNext();
    EXPECT_EQ(view.fields[0], L"C:\\Data\\Sub");
    // A level move during a listing stops it: nothing is copied, and the new level shows.
    controller.copyListing();
    controller.moveLevel(Level::Up);
    EXPECT_EQ(view.fields[1], texts::kListingCancelled);
    while (work.runNext()) continue;
    EXPECT_EQ(std::tuple(view.fields[0], view.clipboard, view.ticking), std::tuple(L"C:\\Data", L"untouched", false));
    controller.openPath(L"C:\\Program Files");
    controller.copyListing();
    controller.close();
    while (work.runNext()) continue;
    EXPECT_EQ(std::tuple(view.fields[0], view.clipboard, view.ticking), std::tuple(L"C:\\Data", L"untouched", false));
}

TEST_F(MainControllerTest, LongWorkTellsItsProgressLateAndAtMostTenTimesASecondAndEscStopsIt) {
    work.held = true;
    controller.openPath(L"C:\\Data\\A.txt");
    // Reading a path says so once it has taken 300 ms; the forms replace the text.
    const std::pair<std::uint64_t, std::wstring> reading[] = {{299, L""}, {300, L"Reading C:\\Data\\A.txt\u2026"}};
    for (const auto& [after, shortField] : reading) {
        work.clock = 1000 + after;
        controller.onWorkTick();
        EXPECT_EQ(view.fields[1], shortField) << after;
    }
    work.runNext();
    EXPECT_EQ(view.fields[1], L"C:\\Data\\A.txt");
    work.clock = 2000;
    controller.copyListing();
    controller.copyListing();  // a second List while one runs does nothing
    EXPECT_EQ(work.waiting.size(), 1u);
    EXPECT_TRUE(view.ticking);
    const std::pair<std::uint64_t, std::wstring> listing[] = {
        {2299, L"C:\\Data\\A.txt"},
        {2300, L"Listing C:\\Data\\A.txt: 0 entries\u2026 (Esc cancels)"},
        {2399, L"Listing C:\\Data\\A.txt: 0 entries\u2026 (Esc cancels)"},
        {2400, L"Listing C:\\Data: 12,345 entries\u2026 (Esc cancels)"}};
    for (const auto& [at, shortField] : listing) {
        if (at == 2399) {
            work.waiting.front()->run();  // the listing has read its entries meanwhile
            static_cast<ListingJob&>(*work.waiting.front()).progress.entries = 12345;
        }
        work.clock = at;
        controller.onWorkTick();
        EXPECT_EQ(view.fields[1], shortField) << at;
        EXPECT_EQ(view.taskbar, at >= 2300) << at;
    }
    // Esc: the clipboard keeps what it held, the window says so, and the late result is dropped.
    controller.cancelWork();
    work.waiting.front()->finish();
    EXPECT_EQ(std::tuple(view.fields[1], view.clipboard, view.taskbar, view.ticking),
              std::tuple(texts::kListingCancelled, L"untouched", false, false));
    EXPECT_EQ(view.calls.back(), L"idle");
}

TEST_F(MainControllerTest, AWholeTreeIsCopiedWithoutTheFoldersThatCannotBeReadAndStopsBetweenFolders) {
    fs.add(L"C:\\Data\\Sub\\Inner\\c.txt");
    fs.unreadable[L"C:\\Data\\Sub\\Inner"] = L"Access is denied.";
    controller.openPath(L"C:\\Data");
    controller.toggleSubfolders();
    EXPECT_EQ(view.clipboard, L"DIR : C:\\Data\r\n\r\nSub\r\nSub\\Inner\r\nA.txt\r\nb.txt\r\n");
    EXPECT_EQ(view.fields[1],
              L"Copied 4 entries; 1 folder could not be read: C:\\Data\\Sub\\Inner (Access is denied.)");
    // Esc while the listing goes from one folder to the next.
    fs.onSearch = [this](const std::wstring& pattern) {
        if (pattern == L"C:\\Data\\Sub\\*") controller.cancelWork();
    };
    controller.pickListMode(ListMode::TabSeparated);
    EXPECT_EQ(std::tuple(view.fields[1], view.clipboard.starts_with(L"DIR"), view.calls.back()),
              std::tuple(texts::kListingCancelled, true, L"idle"));
    fs.onSearch = {};
    controller.toggleSubfolders();
    EXPECT_EQ(view.clipboard,
              L"Name\tType\tSize\tModified\r\nSub\tFolder\t\t0000-00-00 00:00:00\r\n"
              L"A.txt\tFile\t0\t0000-00-00 00:00:00\r\nb.txt\tFile\t0\t0000-00-00 00:00:00\r\n");
}

TEST_F(MainControllerTest, CopyMenusOfferTheFormsTheyCanMakeInTheCaseShownAndSayWhyNotElse) {
    const auto offered = [this](NameField field) {
        controller.onCopyButtonMenu(field);
        std::wstring items;  // "+" for an item that can be picked, "-" for a greyed one
        for (const CopyMenuItem& item : view.copyMenu) items += item.enabled ? L'+' : L'-';
        return items;
    };
    controller.openPath(L"\\\\server\\share\\dir\\file.txt");
    EXPECT_EQ(offered(NameField::Long), L"+++++-+-++");
    controller.copyForm(NameField::Long, PathForm::Wsl);
    EXPECT_EQ(view.fields[1], L"Nothing was copied: only a path on a drive has a WSL form.");
    EXPECT_EQ(view.clipboard, L"untouched");
    // The system's answers take the case shown, as the fields do.
    fs.add(L"N:\\Docs|DOCS~1\\Long Report.txt|LONGRE~1.TXT"), fs.mappedDrives[L"N:"] = L"\\\\Server\\Share";
    controller.openPath(L"n:\\docs\\long report.txt");
    controller.selectCase(LetterCase::Upper);
    EXPECT_EQ(offered(NameField::Short), L"+++++++++++");
    for (const auto& [field, form, copied] : std::initializer_list<std::tuple<NameField, PathForm, const wchar_t*>>{
             {NameField::Short, PathForm::Network, L"\\\\SERVER\\SHARE\\DOCS~1\\LONGRE~1.TXT"},
             {NameField::Short, PathForm::ShortFolderLongName, L"N:\\DOCS~1\\LONG REPORT.TXT"},
             {NameField::Long, PathForm::ForwardSlashes, L"N:/DOCS/LONG REPORT.TXT"},
             {NameField::Short, PathForm::AsShown, L"N:\\DOCS~1\\LONGRE~1.TXT"}}) {
        controller.copyForm(field, form);
        EXPECT_EQ(view.clipboard, copied);
    }
    controller.selectCase(LetterCase::Lower);
    controller.copyForm(NameField::Long, PathForm::Network);
    EXPECT_EQ(view.clipboard, L"\\\\server\\share\\docs\\long report.txt");
}

TEST_F(MainControllerTest, TheHintGoesWithTheFormsAndNamesTheStoredItems) {
    fs.add(L"C:\\Data\\Long Name.txt"), fs.volumes[L"C:"] = {L"ReFS", false, false, {}, {}};
    controller.openPath(L"C:\\data\\long name.txt");
    EXPECT_EQ(view.hint, L"No short name for \"Long Name.txt\": the file system keeps no short names (ReFS).");
    controller.openPath(L"C:\\Data\\A.txt");
    EXPECT_EQ(view.hint, L"");
}

TEST(ShortNameHintTest, NamesFitEightDotThreeInAnyCaseWithTheAllowedCharactersOnly) {
    for (const wchar_t* name : {L"README.TXT", L"readme.txt", L"ReadMe.t", L"A", L"$%'-_@~`.!()", L"{}^#&09"})
        EXPECT_TRUE(fitsEightDotThree(name)) << testing::PrintToString(name);
    for (const wchar_t* name : {L"ABCDEFGHI", L"A.ABCD", L"A.B.C", L"A B", L"A+B", L"A[1]", L".TXT", L"A.", L"",
                                L"CAF\u00c9.TXT", L"\u65e5\u672c.TXT"})
        EXPECT_FALSE(fitsEightDotThree(name)) << testing::PrintToString(name);
}

TEST(ShortNameHintTest, ItemsWithoutAShortNameAreNamedWithWhatTheirVolumeTells) {
    fakes::FakeFileSystem fs;
    // "Program Files" has its alias and "Data" fits: only the other two lack one.
    fs.add(L"C:\\Program Files|PROGRA~1\\Long Folder\\Data\\Report 2024.txt");
    const std::wstring off = L"the volume does not make short names now (NtfsDisable8dot3NameCreation ",
                       on = L"the volume makes short names now", noneRead = L"the cause is unknown: could not read ",
                       without = L", so an item without one was made while that was off, or copied without it";
    const std::pair<ShortNameFacts, std::wstring> rows[] = {
        {{L"ReFS", false, false, {}, {}}, L"the file system keeps no short names (ReFS)"},
        {{L"exFAT", false, false, {}, {}}, L"the file system keeps no short names (exFAT)"},
        {{L"NTFS", true, false, true, 0}, L"the network share offers no short names"},
        {{L"NTFS", false, false, true, 1}, off + L"1: off for every volume)"},
        {{L"NTFS", false, false, true, 3}, off + L"3: off for all but the system volume)"},
        {{L"NTFS", false, false, false, 2}, off + L"2: set per volume)"},
        {{L"NTFS", false, false, false, 0}, on + L" (NtfsDisable8dot3NameCreation 0: on for every volume)" + without},
        {{L"NTFS", false, true, {}, 3},
         on + L" (NtfsDisable8dot3NameCreation 3: off for all but the system volume)" + without},
        {{L"NTFS", false, false, true, 2}, on + L" (NtfsDisable8dot3NameCreation 2: set per volume)" + without},
        {{L"FAT32", false, false, true, {}}, on + without},
        {{L"FAT32", false, false, false, {}}, L"the volume does not make short names now"},
        {{L"NTFS", false, false, {}, 2}, noneRead + L"the volume's own setting"},
        {{L"NTFS", false, false, false, {}}, noneRead + L"NtfsDisable8dot3NameCreation"},
        {{L"NTFS", false, false, {}, 4}, noneRead + L"NtfsDisable8dot3NameCreation or the volume's own setting"},
        {{L"", false, false, {}, {}}, noneRead + L"the volume's file system"}};
    for (const auto& [facts, cause] : rows) {
        fs.volumes[L"C:"] = facts;
        EXPECT_EQ(shortNameHint(fs, L"C:\\Program Files\\Long Folder\\Data\\Report 2024.txt"),
                  L"No short name for \"Long Folder\", \"Report 2024.txt\": " + cause + L".");
    }
    // A volume mounted on a folder tells of its own items; items that cannot be read, or paths without a head, give
    // none.
    fs.add(L"C:\\Long Folder\\Mount\\Inner File.txt"),
        fs.volumes[L"C:\\Long Folder\\Mount"] = {L"ReFS", false, false, {}, {}};
    EXPECT_EQ(shortNameHint(fs, L"C:\\Long Folder\\Mount\\Inner File.txt"),
              L"No short name for \"Long Folder\": " + noneRead +
                  L"the volume's file system.\r\n"
                  L"No short name for \"Inner File.txt\": the file system keeps no short names (ReFS).");
    for (const wchar_t* path : {L"C:\\Program Files", L"C:\\Gone Folder\\Gone File.txt", L"Long Folder", L"C:\\"})
        EXPECT_EQ(shortNameHint(fs, path), L"") << testing::PrintToString(path);
}

TEST(WindowLayoutTest, OuterLimitsGrowWithAThickFrame) {
    const OuterSize thin = outerLimits(96, {6, 24}), thick = outerLimits(96, {16, 40});
    const OuterSize narrow = constrainOuterSize({10, 10}, thin), wide = constrainOuterSize({500, 900}, thin);
    EXPECT_EQ(std::pair(thin.width, thin.height), std::pair(462, 106));             // 6930 and 1595 twips
    EXPECT_EQ(std::pair(thick.width, thick.height), std::pair(454 + 16, 77 + 40));  // the client's 6810, 1155
    EXPECT_EQ(std::pair(narrow.width, narrow.height), std::pair(462, 106));
    EXPECT_EQ(std::pair(wide.width, wide.height), std::pair(500, 106));
}

TEST_F(MainControllerTest, AShortFormTheSystemCannotMakeIsSaidInItsFieldAndNeverCopied) {
    fs.shortPathFailure = L"The network path was not found.";
    controller.openPath(L"\\\\Server\\Share\\Dir\\File.txt");
    EXPECT_EQ(view.fields[1], L"No short form: The network path was not found.");
    view.fields[1].clear();
    controller.copyField(NameField::Short);
    EXPECT_EQ(std::pair(view.fields[1], view.clipboard),
              std::pair(std::wstring(L"No short form: The network path was not found."), std::wstring(L"untouched")));
}

TEST_F(MainControllerTest, CopyForCommandLineOfAPathThatCmdMayExpandSaysSo) {
    fs.add(L"C:\\Data\\100%.txt");
    controller.openPath(L"C:\\Data\\100%.txt");
    controller.copyForm(NameField::Long, PathForm::CommandLine);
    EXPECT_EQ(std::pair(view.clipboard, view.fields[1]),
              std::pair(std::wstring(L"\"C:\\Data\\100%.txt\""),
                        std::wstring(L"Copied, but at the prompt cmd may expand %...% in it, and !...! with delayed "
                                     L"expansion: in a batch file use Copy for Batch File.")));
}
