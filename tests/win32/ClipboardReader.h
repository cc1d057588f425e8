#pragma once

#include <optional>
#include <string>

namespace twinpath::wine {

// The clipboard's text as another program would read it; nothing when it has
// none or cannot be opened within about a second.
std::optional<std::wstring> clipboardText();

}  // namespace twinpath::wine
