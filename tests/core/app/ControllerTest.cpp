#include <gtest/gtest.h>

#include "app/ControllerSession.h"
#include "app/Texts.h"

using namespace twinpath;
using Texts = std::vector<std::wstring>;

struct MainControllerTest : ControllerSession {
    void SetUp() override {
        for (const wchar_t* path :
             {L"C:\\Program Files|PROGRA~1\\Tools\\Read Me.txt|README~1.TXT", L"C:\\Data\\Sub\\", L"C:\\Data\\b.txt",
              L"C:\\Data\\A.txt", L"\\\\Server\\Share\\Dir\\File.txt", L"\\\\?\\C:\\Data\\Sub\\"})
            fs->add(path);
    }
    const std::wstring& copied(NameField field, PathForm form, bool everyItem = false) {
        controller.copyForm(field, form, everyItem);
        work.settle();
        return view.clipboard;
    }
};

TEST_F(MainControllerTest, ASecondStartHandsItsItemsToARunningCopyThatAnswers) {
    process.arguments = L"\"data\\a.txt\" \"C:\\Data\"";
    process.running = true;
    for (const bool answers : {false, true}) {
        process.answers = answers;
        process.handedOff.clear();
        EXPECT_EQ(controller.start() == MainController::StartResult::HandedOff, answers);
        // A relative item is made full here: the running copy does not share this copy's current folder.
        EXPECT_EQ(process.handedOff, answers ? Texts{L"\"C:\\data\\a.txt\" \"C:\\Data\""} : Texts{});
    }
}

TEST_F(MainControllerTest, LetterCasesApplyToBothFormsAndEveryCopy) {
    // Short forms are in mixed case too: the head as typed, and an item that fits 8.3 as it stands.
    open(L"c:\\progra~1\\tools\\README~1.TXT");
    struct Row {
        LetterCase letterCase;
        const wchar_t *longForm, *shortForm;
    };
    for (const Row row : {
             Row{LetterCase::Upper, L"C:\\PROGRAM FILES\\TOOLS\\READ ME.TXT", L"C:\\PROGRA~1\\TOOLS\\README~1.TXT"},
             Row{LetterCase::Lower, L"c:\\program files\\tools\\read me.txt", L"c:\\progra~1\\tools\\readme~1.txt"},
             Row{LetterCase::Stored, L"c:\\Program Files\\Tools\\Read Me.txt", L"c:\\PROGRA~1\\tools\\README~1.TXT"},
         }) {
        controller.selectCase(row.letterCase);
        EXPECT_EQ(shortField(), row.shortForm);
        controller.copyField(NameField::Long);
        EXPECT_EQ(view.clipboard, row.longForm);
    }
    // The forms that the system gives come in its case: they take the case shown.
    fs->add(L"N:\\Docs|DOCS~1\\Long Report.txt|LONGRE~1.TXT");
    fs->mappedDrives[L"N:"] = L"\\\\Server\\Share";
    open(L"n:\\docs\\long report.txt");
    controller.selectCase(LetterCase::Upper);
    EXPECT_EQ(copied(NameField::Short, PathForm::Network), L"\\\\SERVER\\SHARE\\DOCS~1\\LONGRE~1.TXT");
    EXPECT_EQ(copied(NameField::Short, PathForm::ShortFolderLongName), L"N:\\DOCS~1\\LONG REPORT.TXT");
    controller.selectCase(LetterCase::Lower);
    EXPECT_EQ(copied(NameField::Long, PathForm::Network), L"\\\\server\\share\\docs\\long report.txt");
}

TEST_F(MainControllerTest, CommandsWithNothingShownOnlyAskForAFile) {
    using Command = void (*)(MainController&);
    for (const Command command : std::initializer_list<Command>{
             [](MainController& c) { c.copyField(NameField::Short); },
             [](MainController& c) { c.moveLevel(Level::Up); },
             [](MainController& c) { c.moveLevel(Level::Down); },
             [](MainController& c) { c.copyListing(); },
             [](MainController& c) { c.onCopyButtonMenu(NameField::Long); },
             [](MainController& c) { c.copyForm(NameField::Short, PathForm::Name, true); },
         }) {
        view.setFieldText(NameField::Short, L"");
        command(controller);
        EXPECT_EQ(shortField(), texts::kPrompt);
        EXPECT_EQ(view.clipboard, L"untouched");
        EXPECT_TRUE(view.calls.empty() && work.waiting.empty());
    }
}

TEST_F(MainControllerTest, LevelsGoUpToTheTopAndBackDownToTheInput) {
    struct Row {
        const wchar_t* input;
        std::wstring moves;  // "<" and ">" in turn
        Texts longForms;     // after each move
    };
    for (const Row& row : {
             Row{L"c:\\data\\sub", L"<<>>", {L"c:\\Data", L"c:\\Data", L"c:\\Data\\Sub", L"c:\\Data\\Sub"}},
             Row{L"\\\\Server\\Share\\Dir\\File.txt", L"<<", {L"\\\\Server\\Share\\Dir", L"\\\\Server\\Share"}},
             Row{L"\\\\?\\C:\\Data\\Sub", L"<<", {L"\\\\?\\C:\\Data", L"\\\\?\\C:\\Data"}},
         }) {
        open(row.input);
        Texts shown;
        for (const wchar_t move : row.moves) {
            controller.moveLevel(move == L'<' ? Level::Up : Level::Down);
            work.settle();
            shown.push_back(view.field(NameField::Long));
        }
        EXPECT_EQ(shown, row.longForms);
    }
}

// A path's reading is told once it has taken 300 ms, and ends in one of three ways.
TEST_F(MainControllerTest, AReadingThatEndsDoneCancelledOrClosedLeavesTheFieldsRight) {
    struct Row {
        void (*after)(MainController&);  // between the start of the reading and its result
        const wchar_t *longField, *shortField;
    };
    for (const Row row : {
             Row{[](MainController&) {}, L"C:\\Data\\Sub", L"C:\\Data\\Sub"},
             Row{[](MainController& c) { c.cancelWork(); }, L"C:\\Data\\A.txt", L"C:\\Data\\A.txt"},
             Row{[](MainController& c) { c.close(); }, L"C:\\Data\\A.txt", L"Reading C:\\Data\\Sub\u2026"},
         }) {
        open(L"C:\\Data\\A.txt");
        controller.openItems({L"C:\\Data\\Sub"});
        work.clock += 300;
        controller.onWorkTick();
        EXPECT_EQ(shortField(), L"Reading C:\\Data\\Sub\u2026");
        row.after(controller);
        work.settle();
        EXPECT_EQ(view.field(NameField::Long), row.longField);
        EXPECT_EQ(shortField(), row.shortField);
        EXPECT_FALSE(view.ticking);
    }
}

TEST_F(MainControllerTest, ANewerPathReplacesAnOlderOneWhoseFormsArriveLate) {
    controller.openItems({L"C:\\Data\\A.txt"});
    controller.openItems({L"C:\\Data\\Sub"});
    work.run();  // the first path's forms, read after the second was asked for
    work.finish();
    EXPECT_EQ(view.field(NameField::Long), L"");
    work.settle();
    EXPECT_EQ(view.field(NameField::Long), L"C:\\Data\\Sub");
}

TEST_F(MainControllerTest, AShortFormTheSystemCannotMakeIsSaidInItsFieldAndNeverCopied) {
    fs->shortPathFailure = L"The network path was not found.";
    open(L"\\\\Server\\Share\\Dir\\File.txt");
    EXPECT_EQ(shortField(), L"No short form: The network path was not found.");
    view.setFieldText(NameField::Short, L"");
    controller.copyField(NameField::Short);
    EXPECT_EQ(shortField(), L"No short form: The network path was not found.");
    EXPECT_EQ(view.clipboard, L"untouched");
}

TEST_F(MainControllerTest, CopyForCommandLineOfAPathThatCmdMayExpandSaysSo) {
    fs->add(L"C:\\Data\\100%.txt");
    open(L"C:\\Data\\100%.txt");
    EXPECT_EQ(copied(NameField::Long, PathForm::CommandLine), L"\"C:\\Data\\100%.txt\"");
    EXPECT_EQ(shortField(),
              L"Copied, but at the prompt cmd may expand %...% in it, and !...! with "
              L"delayed expansion: in a batch file use Copy for Batch File.");
}

TEST_F(MainControllerTest, EscStopsACopyOfEveryItem) {
    controller.openItems({L"C:\\Data\\A.txt", L"C:\\Data\\b.txt"});
    work.settle();
    controller.copyForm(NameField::Short, PathForm::AsShown, true);
    controller.cancelWork();
    work.settle();
    EXPECT_EQ(shortField(), L"Copying cancelled: nothing was copied.");
    EXPECT_EQ(view.clipboard, L"untouched");
}
