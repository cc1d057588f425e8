#include <gtest/gtest.h>

#include "app/Selection.h"
#include "app/SelectionTexts.h"
#include "fakes/Fakes.h"

using namespace twinpath;

namespace {

constexpr wchar_t kNotFound[] = L"The system cannot find the file specified.";

// `count` items named by their number, "C:\t\1.txt" on; each one taken or not.
Selection numbered(std::size_t count, bool taken, std::size_t from = 1) {
    Selection selection;
    for (std::size_t n = from; n < from + count; ++n)
        selection.items.push_back({L"C:\\t\\" + std::to_wstring(n) + L".txt", taken ? L"" : kNotFound});
    return selection;
}

Selection joined(Selection a, const Selection& b) {
    a.items.insert(a.items.end(), b.items.begin(), b.items.end());
    return a;
}

}  // namespace

TEST(SelectionTest, CountsAreWrittenWithThousandsSeparatorsAndOneInTheSingular) {
    struct Row {
        std::size_t n;
        std::wstring head, menu, told;  // told: with n - 1 items read, before "\u2026 (Esc cancels)"
    };
    const Row rows[] = {
        {.n = 1, .head = L"", .menu = L"All 1 Item", .told = L"Reading 0 of 1 item"},
        {.n = 2, .head = L" (2 items)", .menu = L"All 2 Items", .told = L"Reading 1 of 2 items"},
        {.n = 10, .head = L" (10 items)", .menu = L"All 10 Items", .told = L"Reading 9 of 10 items"},
        {.n = 999, .head = L" (999 items)", .menu = L"All 999 Items", .told = L"Reading 998 of 999 items"},
        {.n = 1000, .head = L" (1,000 items)", .menu = L"All 1,000 Items", .told = L"Reading 999 of 1,000 items"},
        {.n = 1001, .head = L" (1,001 items)", .menu = L"All 1,001 Items", .told = L"Reading 1,000 of 1,001 items"},
        {.n = 1000000,
         .head = L" (1,000,000 items)",
         .menu = L"All 1,000,000 Items",
         .told = L"Reading 999,999 of 1,000,000 items"}};
    for (const Row& row : rows) {
        EXPECT_EQ(texts::itemsHeadingSuffix(row.n), row.head);
        EXPECT_EQ(texts::allItemsCaption(row.n), row.menu);
        EXPECT_EQ(texts::itemsProgress(row.n - 1, row.n), row.told + L"\u2026 (Esc cancels)");
    }
    EXPECT_EQ(texts::itemsProgress(12345, 100000), L"Reading 12,345 of 100,000 items\u2026 (Esc cancels)");
    // With no item read, the short field names the first and counts the others.
    const std::wstring first = L"Cannot read C:\\t\\1.txt: " + std::wstring(kNotFound);
    for (const auto& [n, more] : {std::pair<std::size_t, std::wstring>{1, L""},
                                  {2, L" (and 1 more item)"},
                                  {3, L" (and 2 more items)"},
                                  {1001, L" (and 1,000 more items)"}})
        EXPECT_EQ(texts::unreadMessage(numbered(n, false)), first + more) << n;
}

TEST(SelectionTest, TheTipNamesTheFirstTwentyItemsTakenAndUnreadAndHowToPaste) {
    const std::wstring paste = texts::kPasteTip;
    const auto lines = [](std::size_t from, std::size_t to, const std::wstring& after) {
        std::wstring text;
        for (std::size_t n = from; n <= to; ++n) text += L"\r\nC:\\t\\" + std::to_wstring(n) + L".txt" + after;
        return text + L"\r\n";
    };
    const std::wstring why = std::wstring(L": ") + kNotFound;
    struct Row {
        Selection selection;
        std::wstring tip;
    };
    const Row rows[] = {
        {.selection = {}, .tip = paste},
        {.selection = numbered(1, true), .tip = paste},
        {.selection = numbered(2, true), .tip = L"2 items taken:" + lines(1, 2, L"") + paste},
        {.selection = numbered(1, false), .tip = L"1 item could not be read:" + lines(1, 1, why) + paste},
        {.selection = joined(numbered(1, true), numbered(20, false, 2)),
         .tip = L"1 item taken:" + lines(1, 1, L"") + L"20 items could not be read:" + lines(2, 21, why) + paste},
        {.selection = joined(numbered(21, true), numbered(1, false, 22)),
         .tip = L"21 items taken:" + lines(1, 20, L"") + L"and 1 more\r\n1 item could not be read:" +
                lines(22, 22, why) + paste},
        {.selection = numbered(1020, false),
         .tip = L"1,020 items could not be read:" + lines(1, 20, why) + L"and 1,000 more\r\n" + paste}};
    for (const Row& row : rows) EXPECT_EQ(texts::longFieldTip(row.selection), row.tip);
}

TEST(SelectionTest, EveryItemsFormGoesOnALineOfItsOwnOrAfterACommandOnOne) {
    const auto made = [](const wchar_t* text) { return FormedPath{text, L"", L""}; };
    const std::vector<ItemForm> three = {
        {L"C:\\a", made(L"C:\\a")}, {L"C:\\b c", made(L"\"C:\\b c\"")}, {L"C:\\d", made(L"C:\\d")}};
    const FormedPath nameless{L"", L"a root has no name", L""};
    struct Row {
        PathForm form;
        std::vector<ItemForm> forms;
        FormedPath joined;
    };
    const Row rows[] = {{.form = PathForm::AsShown, .forms = {}, .joined = made(L"")},
                        {.form = PathForm::AsShown, .forms = {three[0]}, .joined = made(L"C:\\a")},
                        {.form = PathForm::Quoted, .forms = three, .joined = made(L"C:\\a\r\n\"C:\\b c\"\r\nC:\\d")},
                        {.form = PathForm::CommandLine, .forms = three, .joined = made(L"C:\\a \"C:\\b c\" C:\\d")},
                        {.form = PathForm::Name,
                         .forms = {three[0], {L"C:\\", nameless}, {L"D:\\", nameless}},
                         .joined = {L"", L"a root has no name (C:\\)", L""}}};
    for (const Row& row : rows) {
        const FormedPath joined = joinedForms(row.form, row.forms);
        EXPECT_EQ(joined.text, row.joined.text);
        EXPECT_EQ(joined.whyNot, row.joined.whyNot);
    }
}
