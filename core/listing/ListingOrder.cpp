#include "listing/ListingOrder.h"

#include <numeric>
#include <string>
#include <utility>

#include "listing/PairedSort.h"

namespace twinpath {

void sortListing(FolderListing& listing, TextServices& text) {
    std::vector<std::string> keys = std::exchange(listing.sortKeys, {});
    const std::size_t count = std::min(listing.names.size(), listing.entryLines.size());
    if (count < 2) return;
    // Keys that the lister made are used when there is one for every line.
    if (keys.size() != listing.entryLines.size()) {
        keys.clear();
        keys.reserve(count);
        for (std::size_t i = 0; i < count; ++i) keys.push_back(text.sortKey(listing.entryLines[i]));
    }
    keys.resize(count);
    // The keys are sorted with the entries' places; the entries then move once.
    std::vector<std::int32_t> order(count);
    std::iota(order.begin(), order.end(), 0);
    sortPaired(keys, order, 0, static_cast<std::int32_t>(count) - 1,
               [](const std::string& a, const std::string& b) { return a.compare(b); });
    std::vector<std::wstring> names(count), lines(count);
    const bool withAttributes = listing.attributes.size() >= count;
    std::vector<std::uint32_t> attributes(withAttributes ? count : 0);
    for (std::size_t i = 0; i < count; ++i) {
        const auto from = static_cast<std::size_t>(order[i]);
        names[i] = std::move(listing.names[from]);
        lines[i] = std::move(listing.entryLines[from]);
        if (withAttributes) attributes[i] = listing.attributes[from];
    }
    listing.names = std::move(names);
    listing.entryLines = std::move(lines);
    if (withAttributes) listing.attributes = std::move(attributes);
}

}  // namespace twinpath
