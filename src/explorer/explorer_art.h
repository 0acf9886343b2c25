// Fonts and bitmaps the pages share, made once with the frame and freed with it.
#pragma once
#include <windows.h>

enum ExplorerFontId {
  kFontTitle,            // Verdana, bold: page titles
  kFontArial,
  kFontArialUnderlined,
  kFontSansBold,
  kFontSansSmallBold,
  kFontArialSmall,
  kFontSans,
  kFontShellBold,
  kFontLink,             // link-style buttons
  kFontNote,             // the user's note font
  kExplorerFontCount
};

bool ExplorerArtCreate();
void ExplorerArtDelete();
// Null when the font could not be made; controls then keep their dialog font.
HFONT ExplorerFont(ExplorerFontId id);
// One of the picture bitmaps 133-135, 154-156, 158-160, 193; null for others or when missing.
HBITMAP ExplorerBitmap(int id);
