#include "app/SelectionTexts.h"

#include "app/Texts.h"

namespace twinpath::texts {

namespace {

// One of the tip's lists: how many, then the first lines, then how many more.
class TipList {
public:
    void add(const std::wstring& line) {
        if (count_++ < kTipNamesAtMost) lines_ += L"\r\n" + line;
    }
    std::size_t count() const { return count_; }
    std::wstring text(const wchar_t* one, const wchar_t* many) const {
        if (count_ == 0) return L"";
        const std::wstring more =
            count_ > kTipNamesAtMost ? L"\r\n" + (kAndMore + withThousands(count_ - kTipNamesAtMost)) + kMore : L"";
        return withThousands(count_) + (count_ == 1 ? one : many) + lines_ + more + L"\r\n";
    }

private:
    std::size_t count_ = 0;
    std::wstring lines_;
};

}  // namespace

std::wstring itemsHeadingSuffix(std::size_t taken) {
    return taken > 1 ? kItemsOpen + withThousands(taken) + kItemsClose : L"";
}

std::wstring longFieldTip(const Selection& selection) {
    TipList taken, unread;
    for (const SelectionItem& item : selection.items) {
        if (item.taken())
            taken.add(item.path);
        else
            unread.add(item.path + L": " + item.failure);
    }
    // A single item taken is what the fields show: nothing to tell of it.
    const bool tellTaken = taken.count() > 1 || unread.count() > 0;
    return (tellTaken ? taken.text(kItemTaken, kItemsTaken) : L"") + unread.text(kItemUnread, kItemsUnread) + kPasteTip;
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
    return kReading + withThousands(read) + kOf + withThousands(total) +
           (total == 1 ? kItemInProgress : kItemsInProgress);
}

std::wstring allItemsCaption(std::size_t taken) {
    return kAllItems + withThousands(taken) + (taken == 1 ? kAllItemEnd : kAllItemsEnd);
}

}  // namespace twinpath::texts
