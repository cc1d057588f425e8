#include "listing/EntryLine.h"

namespace twinpath {

namespace {

constexpr std::wstring_view kUnknownTime = L"0000/00/00 00:00:00";

// Exactly `width` digits; callers keep the value within them.
void appendPadded(std::wstring& out, int value, int width) {
    const std::size_t end = out.size() + static_cast<std::size_t>(width);
    out.resize(end);
    for (std::size_t i = end; i-- > end - static_cast<std::size_t>(width);) {
        out[i] = static_cast<wchar_t>(L'0' + value % 10);
        value /= 10;
    }
}

void appendDecimal(std::wstring& out, std::uint64_t value) {
    wchar_t digits[20];
    std::size_t count = 0;
    do {
        digits[count++] = static_cast<wchar_t>(L'0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (count > 0) out += digits[--count];
}

bool fitsTheFormat(const LocalTime& t) {
    // The platform can report years up to 30827; a wider year would break the
    // fixed 19-character field that the report lines up on.
    return t.year >= 0 && t.year <= 9999 && t.month >= 0 && t.month <= 99 && t.day >= 0 && t.day <= 99 && t.hour >= 0 &&
           t.hour <= 99 && t.minute >= 0 && t.minute <= 99 && t.second >= 0 && t.second <= 99;
}

}  // namespace

void appendEntryTime(std::wstring& out, const std::optional<LocalTime>& time, wchar_t dateSeparator) {
    if (!time || !fitsTheFormat(*time)) {
        for (const wchar_t c : kUnknownTime) out += c == L'/' ? dateSeparator : c;
        return;
    }
    appendPadded(out, time->year, 4);
    out += dateSeparator;
    appendPadded(out, time->month, 2);
    out += dateSeparator;
    appendPadded(out, time->day, 2);
    out += L' ';
    appendPadded(out, time->hour, 2);
    out += L':';
    appendPadded(out, time->minute, 2);
    out += L':';
    appendPadded(out, time->second, 2);
}

std::wstring sizeAndTime(const FindEntry& entry, const std::optional<LocalTime>& lastWrite) {
    // Blanks and separators, up to 20 size digits and the 19-character time.
    std::wstring line = L"   >";
    line.reserve(44);
    appendDecimal(line, entry.size);
    line += L'>';
    appendEntryTime(line, lastWrite, L'/');
    return line;
}

}  // namespace twinpath
