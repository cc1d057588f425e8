// Any keys and any range: the name table sort orders the range, moves the
// companions in step and touches nothing else, and leaves a range that the
// tables do not hold alone.
#include <algorithm>
#include <limits>
#include <utility>

#include "listing/modQSort.h"
#include "tests/fakes/FakeTextServices.h"
#include "tests/fuzz/FuzzInput.h"
#include "tests/listing/ReferenceSort.h"

namespace twinpath::fuzz {
namespace {

using Tables = std::vector<std::wstring>;

constexpr int kMaxKeys = 512;
constexpr std::size_t kMaxKeyBytes = 32;

struct Range {
    std::int32_t lo = 0;
    std::int32_t hi = 0;
};

// Mostly the whole table or a range near its size; now and then any two numbers.
Range consumeRange(FuzzedDataProvider& in, std::int32_t size) {
    switch (in.ConsumeIntegralInRange(0, 2)) {
        case 0:
            return {0, size - 1};
        case 1:
            return {in.ConsumeIntegralInRange<std::int32_t>(-2, size + 1),
                    in.ConsumeIntegralInRange<std::int32_t>(-2, size + 1)};
        default:
            return {in.ConsumeIntegral<std::int32_t>(), in.ConsumeIntegral<std::int32_t>()};
    }
}

std::vector<std::pair<std::wstring, std::wstring>> pairsIn(const Tables& key, const Tables& comp,
                                                           Range range) {
    std::vector<std::pair<std::wstring, std::wstring>> pairs;
    for (auto i = range.lo; i <= range.hi; ++i) pairs.emplace_back(key[i], comp[i]);
    std::sort(pairs.begin(), pairs.end());
    return pairs;
}

void checkSort(const Tables& keyBefore, const Tables& compBefore, Range range) {
    fakes::FakeTextServices text;
    Tables key = keyBefore;
    Tables comp = compBefore;
    QSort(key, comp, range.lo, range.hi, text);

    const bool held = range.lo >= 0 && range.hi >= 0 && static_cast<std::size_t>(range.hi) < key.size() &&
                      static_cast<std::size_t>(range.hi) < comp.size();
    if (!held || range.lo >= range.hi) {
        require(key == keyBefore && comp == compBefore, "a range the tables do not hold changes nothing");
        return;
    }
    for (std::size_t i = 0; i < key.size(); ++i) {
        const bool inside =
            static_cast<std::int32_t>(i) >= range.lo && static_cast<std::int32_t>(i) <= range.hi;
        if (!inside) require(key[i] == keyBefore[i], "keys outside the range stay", key[i]);
    }
    for (std::size_t i = 0; i < comp.size(); ++i) {
        const bool inside =
            static_cast<std::int32_t>(i) >= range.lo && static_cast<std::int32_t>(i) <= range.hi;
        if (!inside) require(comp[i] == compBefore[i], "companions outside the range stay", comp[i]);
    }
    for (auto i = range.lo; i < range.hi; ++i)
        require(text.compareNoCase(key[i], key[i + 1]) <= 0, "the range is in order", key[i + 1]);
    require(pairsIn(key, comp, range) == pairsIn(keyBefore, compBefore, range),
            "every key keeps its companion");

    Tables expectedKey = keyBefore;
    Tables expectedComp = compBefore;
    referenceSort(expectedKey, expectedComp, range.lo, range.hi, text);
    require(key == expectedKey && comp == expectedComp, "the order is that of the recursive sort");
}

}  // namespace
}  // namespace twinpath::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace twinpath;
    FuzzedDataProvider in(data, size);
    fuzz::Tables key(static_cast<std::size_t>(in.ConsumeIntegralInRange(0, fuzz::kMaxKeys)));
    for (auto& k : key) k = fuzz::consumeText(in, fuzz::kMaxKeyBytes);
    // The companions are the keys' first places, so each pair can be told
    // apart; their table may be a little shorter or longer than the keys'.
    const auto compSize = std::max(0, static_cast<int>(key.size()) + in.ConsumeIntegralInRange(-2, 2));
    fuzz::Tables comp;
    for (int i = 0; i < compSize; ++i) comp.push_back(std::to_wstring(i));
    const auto range = fuzz::consumeRange(in, static_cast<std::int32_t>(key.size()));
    fuzz::checkSort(key, comp, range);
    return 0;
}
