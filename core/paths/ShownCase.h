#pragma once

#include <string>

#include "ports/TextServices.h"
#include "values/LetterCase.h"

namespace twinpath {

// The text in the letter case it is shown in, mapped one character for one.
std::wstring inCase(const std::wstring& text, LetterCase letterCase, TextServices& textServices);

}  // namespace twinpath
