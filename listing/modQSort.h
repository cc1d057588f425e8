#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/TextServices.h"

namespace twinpath {

// Sorts key[lo..hi] ascending by text.compareNoCase and moves comp[lo..hi] in
// step, so the two tables stay parallel. The order is that of the classic
// quicksort: the middle element (a half rounded to the even index) is the
// pivot, keys strictly before it go to its left, equal keys stay after it, the
// left part is sorted before the right. Not stable. A range that either table
// does not hold is left alone.
void QSort(std::vector<std::wstring>& key, std::vector<std::wstring>& comp, std::int32_t lo, std::int32_t hi,
           TextServices& text);

}  // namespace twinpath
