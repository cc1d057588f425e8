#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ports/TextServices.h"

namespace twinpath {

// Sorts keys[first..last] ascending by text.compareNoCase and moves
// companions[first..last] in step, so the two tables stay parallel. The order is that of the classic
// quicksort: the middle element (a half rounded to the even index) is the
// pivot, keys strictly before it go to its left, equal keys stay after it, the
// left part is sorted before the right. Not stable. A range that either table
// does not hold is left alone.
void sortPaired(std::vector<std::wstring>& keys, std::vector<std::wstring>& companions, std::int32_t first,
                std::int32_t last, TextServices& text);

}  // namespace twinpath
