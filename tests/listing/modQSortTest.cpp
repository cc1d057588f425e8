#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "listing/modQSort.h"
#include "tests/fakes/FakeTextServices.h"
#include "tests/listing/ReferenceSort.h"

namespace twinpath {
namespace {

using fakes::FakeTextServices;
using Tables = std::vector<std::wstring>;

Tables indexes(std::size_t n) {
    Tables out;
    for (std::size_t i = 0; i < n; ++i) out.push_back(std::to_wstring(i));
    return out;
}

TEST(QSortTest, SortsKeysAndMovesCompanionsInStep) {
    const struct {
        const char* what;
        Tables key;
        std::int32_t lo, hi;
        Tables sortedKey;
        Tables movedComp;  // the companions started as "0", "1", ...
    } cases[] = {
        {"one empty line", {L""}, 0, 0, {L""}, {L"0"}},
        {"two in order", {L"a", L"b"}, 0, 1, {L"a", L"b"}, {L"0", L"1"}},
        {"two out of order", {L"b", L"a"}, 0, 1, {L"a", L"b"}, {L"1", L"0"}},
        {"folders first, then files by name",
         {L"F b   >1>", L"D z   >0>", L"F A   >2>"},
         0,
         2,
         {L"D z   >0>", L"F A   >2>", L"F b   >1>"},
         {L"1", L"2", L"0"}},
        // Keys equal but for case end in the order the exchanges leave them.
        {"equal keys", {L"abc", L"ABC", L"Abc"}, 0, 2, {L"ABC", L"Abc", L"abc"}, {L"1", L"2", L"0"}},
        {"a name before its longer sibling",
         {L"F ab   >", L"F a   >"},
         0,
         1,
         {L"F a   >", L"F ab   >"},
         {L"1", L"0"}},
        {"inner range only",
         {L"z", L"c", L"b", L"a", L"y"},
         1,
         3,
         {L"z", L"a", L"b", L"c", L"y"},
         {L"0", L"3", L"2", L"1", L"4"}},
        {"range beyond the tables", {L"b", L"a"}, 0, 2, {L"b", L"a"}, {L"0", L"1"}},
        {"negative lower bound", {L"b", L"a"}, -1, 1, {L"b", L"a"}, {L"0", L"1"}},
        {"reversed range", {L"b", L"a"}, 1, 0, {L"b", L"a"}, {L"0", L"1"}},
        {"empty tables", {}, 0, 0, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakeTextServices text;
        Tables key = c.key;
        Tables comp = indexes(key.size());
        QSort(key, comp, c.lo, c.hi, text);
        EXPECT_EQ(key, c.sortedKey);
        EXPECT_EQ(comp, c.movedComp);
    }
}

TEST(QSortTest, ShortCompanionTableIsLeftAlone) {
    FakeTextServices text;
    Tables key{L"c", L"b", L"a"};
    Tables comp{L"0", L"1"};
    QSort(key, comp, 0, 2, text);
    EXPECT_EQ(key, (Tables{L"c", L"b", L"a"}));
    EXPECT_EQ(comp, (Tables{L"0", L"1"}));
}

TEST(QSortTest, CompanionValuesNeverDecideTheOrder) {
    FakeTextServices text;
    const Tables key{L"x", L"X", L"a", L"x", L"A", L"x"};
    Tables firstKey = key, secondKey = key;
    Tables first = indexes(key.size());
    Tables second{L"z", L"y", L"x", L"w", L"v", L"u"};
    const Tables secondBefore = second;
    QSort(firstKey, first, 0, 5, text);
    QSort(secondKey, second, 0, 5, text);
    EXPECT_EQ(firstKey, secondKey);
    for (std::size_t i = 0; i < key.size(); ++i) EXPECT_EQ(second[i], secondBefore[std::stoul(first[i])]);
}

TEST(QSortTest, GivesTheSameOrderAsTheRecursiveSort) {
    // Few distinct keys and case variants, so that equal keys abound.
    const Tables pool{L"",   L"a",  L"A",  L"b", L"B",         L"ab",
                      L"Ab", L"aB", L"ba", L"c", L"F x   >1>", L"D x   >0>"};
    std::mt19937 random(20240601);
    for (int round = 0; round < 400; ++round) {
        const std::size_t size = round < 300 ? random() % 40 : 1 + random() % 1000;
        // Some rounds draw from one or two keys only, the worst case of the partition.
        const std::size_t distinct = round % 4 == 0 ? 1 + random() % 2 : pool.size();
        Tables key;
        for (std::size_t i = 0; i < size; ++i) key.push_back(pool[random() % distinct]);
        Tables comp = indexes(size);
        const auto lo = static_cast<std::int32_t>(size == 0 ? 0 : random() % size);
        const auto hi = static_cast<std::int32_t>(size == 0 ? 0 : lo + random() % (size - lo));
        Tables expectedKey = key;
        Tables expectedComp = comp;
        FakeTextServices text;
        referenceSort(expectedKey, expectedComp, lo, hi, text);
        QSort(key, comp, lo, hi, text);
        ASSERT_EQ(comp, expectedComp) << "round " << round;
        ASSERT_EQ(key, expectedKey) << "round " << round;
    }
}

TEST(QSortTest, AMillionEqualKeysTakeLinearWork) {
    constexpr std::size_t kCount = 1'000'000;
    FakeTextServices text;
    Tables key(kCount, L"F same   >0>2001/02/21 09:05:03");
    Tables comp = indexes(kCount);
    QSort(key, comp, 0, static_cast<std::int32_t>(kCount - 1), text);
    EXPECT_LT(text.comparisons, static_cast<long>(2 * kCount));
    // Every companion is still there once: the exchanges only permute.
    std::vector<bool> seen(kCount);
    for (const auto& c : comp) seen[std::stoul(c)] = true;
    EXPECT_EQ(std::count(seen.begin(), seen.end(), true), static_cast<long>(kCount));
}

}  // namespace
}  // namespace twinpath
