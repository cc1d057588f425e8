#pragma once

#include <functional>
#include <string>
#include <vector>

namespace twinpath {

// An argument text split into items by the rules Windows programs split their
// command line with (those of CommandLineToArgvW after the program's name):
// - blanks and tabs outside double quotes separate items, and many in a row
//   count as one; none starts or ends the list;
// - a double quote opens or closes a quoted part and is dropped; inside one,
//   two quotes in a row give one literal quote and close it;
// - backslashes are literal, except before a double quote: 2n of them give n
//   and the quote acts as above, 2n+1 give n and a literal quote;
// - a quote that is never closed runs to the end, and "" is an empty item.
std::vector<std::wstring> splitArguments(const std::wstring& arguments);

// The items that the argument text of a start, or of a second start handed
// over, names. The whole text, without the blanks around it, is tried first
// as one path, so that an unquoted path with blanks keeps working; when it
// names nothing that `readable` accepts, it is split as above, and empty
// items are left out. A relative item is made full with `fullPath` (against
// the starting copy's current folder, which the running copy does not share)
// and kept as it stands when that gives nothing.
std::vector<std::wstring> argumentItems(const std::wstring& arguments,
                                        const std::function<bool(const std::wstring& path)>& readable,
                                        const std::function<std::wstring(const std::wstring& relative)>& fullPath);

// The items as one argument text that splitArguments gives back as they are:
// one item as it stands, several each in double quotes (the backslashes that
// end one doubled), separated by blanks.
std::wstring argumentText(const std::vector<std::wstring>& items);

}  // namespace twinpath
