#pragma once

#include <windows.h>

#include <map>

namespace twinpath::win32 {

// The current time zone's rules (offsets and daylight-saving dates) by year,
// read from the system and kept for a short while.
class ZoneRules {
public:
    // The rules in force in `year`, or nullptr when the system cannot give them.
    const TIME_ZONE_INFORMATION* forYear(WORD year);

private:
    std::map<WORD, TIME_ZONE_INFORMATION> byYear_;
    ULONGLONG readSince_ = 0;
};

}  // namespace twinpath::win32
