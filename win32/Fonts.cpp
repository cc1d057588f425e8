#include "win32/Fonts.h"

#include <cwchar>

namespace twinpath::win32 {

namespace {

constexpr wchar_t kFieldFace[] = L"ＭＳ ゴシック";
constexpr int kFieldPoints = 9;

int CALLBACK noteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool faceExists(const LOGFONTW& font) {
    HDC screen = ::GetDC(nullptr);
    if (!screen) return false;
    LOGFONTW query = font;
    bool found = false;
    ::EnumFontFamiliesExW(screen, &query, noteFound, reinterpret_cast<LPARAM>(&found), 0);
    ::ReleaseDC(nullptr, screen);
    return found;
}

}  // namespace

UniqueFont createFieldFont(int dpi) {
    LOGFONTW font{};
    font.lfHeight = -::MulDiv(kFieldPoints, dpi, 72);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = SHIFTJIS_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    std::wcsncpy(font.lfFaceName, kFieldFace, LF_FACESIZE - 1);
    if (!faceExists(font)) {
        font.lfCharSet = DEFAULT_CHARSET;
        font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
        font.lfFaceName[0] = L'\0';
    }
    return UniqueFont(::CreateFontIndirectW(&font));
}

UniqueFont createControlFont(int dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (!::SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi))
        return UniqueFont(nullptr);
    return UniqueFont(::CreateFontIndirectW(&metrics.lfMessageFont));
}

}  // namespace twinpath::win32
