#include "fileview/file_view_font_win.h"

#include <string>

#include "settings/settings.h"

namespace {

HFONT g_FileViewFont = nullptr;
LOGFONTA g_FileViewFontDescription = {};

HFONT CreateFileViewFont() {
    LOGFONTA& font = g_FileViewFontDescription;
    font = LOGFONTA{};
    GetObjectA(GetStockObject(ANSI_FIXED_FONT), sizeof font, &font);
    const std::string& face = g_Settings.FontName;
    if (!face.empty() && face.size() <= 31) lstrcpynA(font.lfFaceName, face.c_str(), LF_FACESIZE);
    if (g_Settings.FontSize != 0) {
        HDC screen = GetDC(nullptr);
        font.lfHeight = -MulDiv(g_Settings.FontSize, GetDeviceCaps(screen, LOGPIXELSY), 72);
        ReleaseDC(nullptr, screen);
    }
    if (g_Settings.FontWeight != 0) font.lfWeight = g_Settings.FontWeight;
    return CreateFontIndirectA(&font);
}

}  // namespace

void MakeFileViewFont() {
    ReplaceFileViewFont(CreateFileViewFont());
}

HFONT FileViewFontHandle() {
    return g_FileViewFont;
}

LOGFONTA& FileViewFontDescription() {
    return g_FileViewFontDescription;
}

void ReplaceFileViewFont(HFONT font) {
    if (g_FileViewFont && g_FileViewFont != font) DeleteObject(g_FileViewFont);
    g_FileViewFont = font;
}

void DeleteFileViewFont() {
    ReplaceFileViewFont(nullptr);
}
