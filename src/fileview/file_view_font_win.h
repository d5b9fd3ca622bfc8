#pragma once

#include <windows.h>

// The font of EditView and LineView: made from the settings at start-up,
// replaced by the Font command, deleted at exit.
void MakeFileViewFont();
HFONT FileViewFontHandle();
// The description that font is made from, and a font made anew from it that
// takes the old one's place (the old one is deleted).
LOGFONTA& FileViewFontDescription();
void ReplaceFileViewFont(HFONT font);
void DeleteFileViewFont();
