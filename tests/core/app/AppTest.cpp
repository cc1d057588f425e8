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
             {L"C:\\Program Files|PROGRA~1\\Read Me.txt|README~1.TXT", L"C:\\Data\\Sub\\", L"C:\\Data\\b.txt",
              L"C:\\Data\\A.txt", L"\\\\Server\\Share\\Dir\\File.txt", L"\\\\?\\C:\\Data\\Sub\\"})
            fs.add(path);
    }
    fakes::FakeFileSystem fs;
    fakes::FakeText text;
    fakes::FakeView view;
    fakes::FakeProcess process;
    MainController controller{view, fs, text, process};
};

TEST_F(MainControllerTest, StartShowsTheFormsUnlessARunningCopyTakesThePath) {
    for (const auto& [running, answers] : {std::pair(false, false), std::pair(true, false), std::pair(true, true)}) {
        process.running = running, process.answers = answers, process.arguments = L"\"data\\a.txt\" \"C:\\Data\"";
        fakes::FakeView shown;
        MainController started(shown, fs, text, process);
        const bool handed = started.start() == MainController::StartResult::HandedOff;
        if (!handed) started.showStartPath();
        EXPECT_EQ(handed, running && answers);
        // A relative path is made full here: the running copy does not share this copy's current folder.
        EXPECT_EQ(process.handedOff, handed ? Texts{L"C:\\data\\a.txt"} : Texts{});
        EXPECT_EQ(shown.fields[0], handed ? L"" : L"C:\\Data\\A.txt");
        EXPECT_EQ(shown.title, handed ? L"Twinpath" : L"Twinpath  Ver.1.3.0");
        EXPECT_EQ(shown.calls, (handed ? Texts{} : Texts{L"restore", L"front", L"focus", L"0+13", L"case 0"}));
    }
}

TEST_F(MainControllerTest, LetterCasesApplyToBothFormsAndTheirCopies) {
    controller.openPath(L"C:\\progra~1\\README~1.TXT");
    for (const auto& [letterCase, longForm, shortForm] :
         std::initializer_list<std::tuple<LetterCase, const wchar_t*, const wchar_t*>>{
             {LetterCase::Upper, L"C:\\PROGRAM FILES\\READ ME.TXT", L"C:\\PROGRA~1\\README~1.TXT"},
             {LetterCase::Lower, L"c:\\program files\\read me.txt", L"c:\\progra~1\\readme~1.txt"},
             {LetterCase::Stored, L"C:\\Program Files\\Read Me.txt", L"C:\\PROGRA~1\\README~1.TXT"}}) {
        controller.selectCase(letterCase);
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
    view.fields[0] = L"C:\\Data\\A.txt";
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

TEST_F(MainControllerTest, CopyMenusOfferTheFormsTheyCanMakeInTheCaseShownAndSayWhyNotElse) {
    const auto offered = [this](NameField field) {
        controller.onCopyButtonMenu(field);
        std::wstring items;  // "+" for an item that can be picked, "-" for a greyed one
        for (const CopyMenuItem& item : view.copyMenu) items += item.enabled ? L'+' : L'-';
        return items;
    };
    controller.openPath(L"\\\\server\\share\\dir\\file.txt");
    EXPECT_EQ(offered(NameField::Long), L"++++-+-++");
    controller.copyForm(NameField::Long, PathForm::Wsl);
    EXPECT_EQ(view.fields[1], L"Nothing was copied: only a path on a drive has a WSL form.");
    EXPECT_EQ(view.clipboard, L"untouched");
    // The system's answers take the case shown, as the fields do.
    fs.add(L"N:\\Docs|DOCS~1\\Long Report.txt|LONGRE~1.TXT"), fs.mappedDrives[L"N:"] = L"\\\\Server\\Share";
    controller.openPath(L"n:\\docs\\long report.txt");
    controller.selectCase(LetterCase::Upper);
    EXPECT_EQ(offered(NameField::Short), L"++++++++++");
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
