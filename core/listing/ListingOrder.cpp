#include "listing/ListingOrder.h"

#include <numeric>
#include <string>

#include "listing/PairedSort.h"

namespace twinpath {

namespace {

// An entry's kind and name as one key, and the entry it stands for, so that
// names that compare equal can be told apart by their sizes and times.
struct OrderKey {
    std::string bytes;
    std::int32_t entry = 0;
};

OrderKey orderKey(const ListingEntry& entry, std::int32_t index, TextServices& text) {
    OrderKey key;
    key.bytes = (entry.attributes & kAttributeDirectory) ? '\0' : '\1';
    key.bytes += text.sortKey(entry.name);
    key.entry = index;
    return key;
}

}  // namespace

void sortListing(FolderListing& listing, TextServices& text) {
    std::vector<ListingEntry>& entries = listing.entries;
    const std::size_t count = entries.size();
    if (count < 2) return;
    std::vector<OrderKey> keys;
    keys.reserve(count);
    for (std::size_t i = 0; i < count; ++i) keys.push_back(orderKey(entries[i], static_cast<std::int32_t>(i), text));
    const auto compare = [&](const OrderKey& a, const OrderKey& b) {
        if (const int order = a.bytes.compare(b.bytes)) return order;
        return text.compareNoCase(entries[a.entry].sizeAndTime, entries[b.entry].sizeAndTime);
    };
    // The keys are sorted with the entries' places; the entries then move once.
    std::vector<std::int32_t> order(count);
    std::iota(order.begin(), order.end(), 0);
    sortPaired(keys, order, 0, static_cast<std::int32_t>(count) - 1, compare);
    std::vector<ListingEntry> sorted(count);
    for (std::size_t i = 0; i < count; ++i) sorted[i] = std::move(entries[static_cast<std::size_t>(order[i])]);
    entries = std::move(sorted);
}

}  // namespace twinpath
