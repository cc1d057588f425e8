#pragma once

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "platform/TextServices.h"

namespace twinpath {

// The sort as first written, fully recursive and left part first: the order
// the iterative version must reproduce exactly.
inline void referenceSort(std::vector<std::wstring>& key, std::vector<std::wstring>& comp, int lo, int hi,
                          TextServices& text) {
    if (lo >= hi) return;
    const auto exchange = [&](int a, int b) {
        std::swap(key[a], key[b]);
        std::swap(comp[a], comp[b]);
    };
    const double half = (static_cast<double>(lo) + hi) / 2;
    exchange(lo, static_cast<int>(std::nearbyint(half)));
    int last = lo;
    for (int i = lo + 1; i <= hi; ++i)
        if (text.compareNoCase(key[i], key[lo]) < 0) exchange(++last, i);
    exchange(lo, last);
    referenceSort(key, comp, lo, last - 1, text);
    referenceSort(key, comp, last + 1, hi, text);
}

}  // namespace twinpath
