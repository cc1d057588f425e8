#pragma once

#include <string>
#include <vector>

namespace twinpath {

// The items of pasted text: one path a line, lines ended by CR LF, LF or a
// lone CR. Blanks and tabs around a line, and a pair of double quotes around
// it (as Explorer's "Copy as path" writes each path), are not part of the
// path; lines left empty name nothing and are skipped.
std::vector<std::wstring> pastedItems(const std::wstring& text);

}  // namespace twinpath
