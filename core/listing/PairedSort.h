#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace twinpath {

// Sorts keys[first..last] ascending by `compare` (negative, zero or positive
// as the first key sorts before, with or after the second) and moves
// companions[first..last] in step, so the two tables stay parallel. The order
// is that of the classic quicksort: the middle element (a half rounded to the
// even index) is the pivot, keys strictly before it go to its left, equal keys
// stay after it, the left part is sorted before the right. Not stable. A range
// that either table does not hold is left alone.
template <typename Key, typename Companion, typename Compare>
void sortPaired(std::vector<Key>& keys, std::vector<Companion>& companions, std::int32_t first, std::int32_t last,
                Compare compare);

namespace sorting {

// (lo + hi) / 2 with a half going to the even neighbour, without forming
// lo + hi, which can overflow.
inline std::int32_t middle(std::int32_t lo, std::int32_t hi) {
    const std::int32_t down = lo + (hi - lo) / 2;
    return ((hi - lo) % 2 != 0 && down % 2 != 0) ? down + 1 : down;
}

template <typename Key, typename Companion, typename Compare>
class Sorter {
public:
    Sorter(std::vector<Key>& keys, std::vector<Companion>& companions, Compare& compare)
        : keys_(keys), companions_(companions), compare_(compare) {}

    // The two parts of a partition are disjoint and each is sorted by its own
    // contents alone, so the order in which they are done does not change the
    // result. Recursing into the smaller part and looping over the larger keeps
    // the depth below log2 of the range.
    void sort(std::int32_t lo, std::int32_t hi) {
        while (lo < hi) {
            exchange(lo, middle(lo, hi));
            std::int32_t last = lo;
            bool allEqual = true;
            for (std::int32_t i = lo + 1; i <= hi; ++i) {
                const int order = compare_(keys_[i], keys_[lo]);
                if (order < 0) exchange(++last, i);
                if (order != 0) allEqual = false;
            }
            exchange(lo, last);
            if (allEqual) {
                settleEqualRange(lo + 1, hi);
                return;
            }
            if (last - lo < hi - last) {
                sort(lo, last - 1);
                lo = last + 1;
            } else {
                sort(last + 1, hi);
                hi = last - 1;
            }
        }
    }

private:
    // On a range whose keys all compare equal no comparison ever succeeds:
    // each round only moves its middle element to the front and drops it.
    // Doing just those moves gives the same order without the quadratic count
    // of comparisons.
    void settleEqualRange(std::int32_t lo, std::int32_t hi) {
        for (; lo < hi; ++lo) exchange(lo, middle(lo, hi));
    }

    void exchange(std::int32_t a, std::int32_t b) {
        if (a == b) return;  // a string swapped with itself goes through a self-move
        std::swap(keys_[a], keys_[b]);
        std::swap(companions_[a], companions_[b]);
    }

    std::vector<Key>& keys_;
    std::vector<Companion>& companions_;
    Compare& compare_;
};

}  // namespace sorting

template <typename Key, typename Companion, typename Compare>
void sortPaired(std::vector<Key>& keys, std::vector<Companion>& companions, std::int32_t first, std::int32_t last,
                Compare compare) {
    if (first < 0 || first >= last) return;
    const auto end = static_cast<std::size_t>(last);
    if (end >= keys.size() || end >= companions.size()) return;
    sorting::Sorter<Key, Companion, Compare>(keys, companions, compare).sort(first, last);
}

}  // namespace twinpath
