#include "paths/ShownCase.h"

namespace twinpath {

std::wstring inCase(const std::wstring& text, LetterCase letterCase, TextServices& textServices) {
    if (letterCase == LetterCase::Upper) return textServices.toUpper(text);
    if (letterCase == LetterCase::Lower) return textServices.toLower(text);
    return text;
}

}  // namespace twinpath
