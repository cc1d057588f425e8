#include <windows.h>

#include <gtest/gtest.h>

#include <array>

#include "platform/win32/Win32FileSystem.h"

namespace twinpath {
namespace {

// CTest runs this program with TZ=Europe/Berlin: one hour ahead of UTC in
// winter, two in summer, switching at 01:00 UTC on the last Sunday of March
// and of October.
std::uint64_t fileTimeOf(int year, int month, int day, int hour, int minute, int second) {
    const SYSTEMTIME utc{static_cast<WORD>(year),
                         static_cast<WORD>(month),
                         0,
                         static_cast<WORD>(day),
                         static_cast<WORD>(hour),
                         static_cast<WORD>(minute),
                         static_cast<WORD>(second),
                         0};
    FILETIME time{};
    ::SystemTimeToFileTime(&utc, &time);
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

TEST(LocalTimeTest, EachTimeTakesTheRulesOfItsOwnSeason) {
    win32::Win32FileSystem fs;
    const struct {
        std::uint64_t utc;
        LocalTime local;
    } cases[] = {
        {fileTimeOf(2001, 1, 15, 12, 0, 0), {2001, 1, 15, 13, 0, 0}},
        {fileTimeOf(2001, 7, 15, 12, 0, 0), {2001, 7, 15, 14, 0, 0}},
        {fileTimeOf(2001, 3, 25, 0, 59, 59), {2001, 3, 25, 1, 59, 59}},
        {fileTimeOf(2001, 3, 25, 1, 0, 0), {2001, 3, 25, 3, 0, 0}},
        {fileTimeOf(2001, 10, 28, 0, 59, 59), {2001, 10, 28, 2, 59, 59}},
        {fileTimeOf(2001, 10, 28, 1, 0, 0), {2001, 10, 28, 2, 0, 0}},
        {fileTimeOf(2000, 12, 31, 23, 30, 0), {2001, 1, 1, 0, 30, 0}},
    };
    for (const auto& c : cases) {
        const auto local = fs.toLocalTime(c.utc);
        ASSERT_TRUE(local);
        EXPECT_EQ(
            (std::array{local->year, local->month, local->day, local->hour, local->minute, local->second}),
            (std::array{c.local.year, c.local.month, c.local.day, c.local.hour, c.local.minute,
                        c.local.second}));
    }
    EXPECT_FALSE(fs.toLocalTime(0x8000000000000000ULL));
}

}  // namespace
}  // namespace twinpath
