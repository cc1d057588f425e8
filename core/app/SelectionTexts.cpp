#include "app/SelectionTexts.h"

#include "app/Texts.h"

namespace twinpath::texts {

namespace {

// A heading and the first names of a list, one a line, then how many more.
void addList(std::wstring& tip, const std::vector<std::wstring>& lines, const wchar_t* one, const wchar_t* many) {
    if (lines.empty()) return;
    tip += withThousands(lines.size()) + (lines.size() == 1 ? one : many);
    for (std::size_t at = 0; at < lines.size() && at < kTipNamesAtMost; ++at) tip += L"\r\n" + lines[at];
    if (lines.size() > kTipNamesAtMost)
        tip += L"\r\n" + (kAndMore + withThousands(lines.size() - kTipNamesAtMost)) + kMore;
    tip += L"\r\n";
}

}  // namespace

std::wstring itemsHeadingSuffix(std::size_t taken) {
    return taken > 1 ? kItemsOpen + withThousands(taken) + kItemsClose : L"";
}

std::wstring longFieldTip(const Selection& selection) {
    std::vector<std::wstring> taken, unread;
    for (const SelectionItem& item : selection.items) {
        if (item.taken())
            taken.push_back(item.path);
        else
            unread.push_back(item.path + L": " + item.failure);
    }
    std::wstring tip;
    if (taken.size() > 1 || !unread.empty()) addList(tip, taken, kItemTaken, kItemsTaken);
    addList(tip, unread, kItemUnread, kItemsUnread);
    return tip + kPasteTip;
}

std::wstring unreadMessage(const Selection& selection) {
    if (selection.items.empty() || selection.shown()) return L"";
    const SelectionItem& first = selection.items.front();
    std::wstring message = kCannotRead + first.path + L": " + first.failure;
    const std::size_t more = selection.items.size() - 1;
    if (more > 0) message += kAndOpen + withThousands(more) + (more == 1 ? kAndMoreItem : kAndMoreItems);
    return message;
}

std::wstring itemsProgress(std::size_t read, std::size_t total) {
    return kReadingItems + withThousands(read) + kOf + withThousands(total) +
           (total == 1 ? kItemInProgress : kItemsInProgress);
}

std::wstring allItemsCaption(std::size_t taken) {
    return kAllItems + withThousands(taken) + (taken == 1 ? kAllItemEnd : kAllItemsEnd);
}

}  // namespace twinpath::texts
