#include "win32/ZoneRules.h"

namespace twinpath::win32 {

namespace {

// Wine reads the zone afresh for every conversion that is not handed its
// rules (some 4 us each: a third of a second for a folder of 100,000 entries).
// A second covers one listing and still picks up a change of zone by the next.
constexpr ULONGLONG kFreshForMs = 1000;

}  // namespace

const TIME_ZONE_INFORMATION* ZoneRules::forYear(WORD year) {
    const ULONGLONG now = ::GetTickCount64();
    if (now - readSince_ >= kFreshForMs) {
        byYear_.clear();
        readSince_ = now;
    }
    auto found = byYear_.find(year);
    if (found == byYear_.end()) {
        TIME_ZONE_INFORMATION rules{};
        if (!::GetTimeZoneInformationForYear(year, nullptr, &rules)) return nullptr;
        found = byYear_.emplace(year, rules).first;
    }
    return &found->second;
}

}  // namespace twinpath::win32
