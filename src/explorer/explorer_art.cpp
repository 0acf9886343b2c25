#include "explorer_art.h"

#include <uxtheme.h>

#include "foundation/settings.h"
#include "resource.h"

namespace {

struct FontRow {
  const char* face;
  int height;  // logical units at 96 dots per inch
  int weight;
  bool underline;
};

constexpr FontRow kFonts[kExplorerFontCount - 1] = {
    {"Verdana", -18, 600, false},       {"Arial", -18, 500, false},
    {"Arial", -18, 500, true},          {"MS Sans Serif", -14, 600, false},
    {"MS Sans Serif", -10, 600, false}, {"Arial", -14, 400, false},
    {"MS Sans Serif", -12, 500, false}, {"MS Shell Dlg", -14, 700, false},
    {"MS Shell Dlg", -14, 500, false},
};

constexpr int kBitmapIds[] = {IDB_HELP,          IDB_HELP_HOVER, IDB_HELP_PRESSED,
                              IDB_MONITOR_OFF,   IDB_MONITOR_HOVER, IDB_MONITOR_ON,
                              IDB_MONITOR_REALTIME, IDB_FOLDER, IDB_FOLDER_HOVER,
                              IDB_FOLDER_PRESSED};
constexpr int kBitmapCount = sizeof kBitmapIds / sizeof kBitmapIds[0];
constexpr int kNoteFaceSize = 65;
constexpr int kDefaultNoteSize = 14;

HFONT g_fonts[kExplorerFontCount] = {};
HBITMAP g_bitmaps[kBitmapCount] = {};

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return USER_DEFAULT_SCREEN_DPI;
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

HFONT MakeFont(const char* face, int height, int weight, bool underline, int dpi) {
  return CreateFontA(MulDiv(height, dpi, USER_DEFAULT_SCREEN_DPI), 0, 0, 0, weight, FALSE,
                     underline, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                     DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
}

// NoteSize's low byte, taken as a signed byte, is the note font's height in points.
HFONT MakeNoteFont(int dpi) {
  char face[kNoteFaceSize] = "";
  if (SettingsReadString(HKEY_CURRENT_USER, kOptionsKey, "NoteFont", face, sizeof face) == 0)
    lstrcpynA(face, "Arial", sizeof face);
  const int size = OptionGet("NoteSize", kDefaultNoteSize);
  const int height = -static_cast<signed char>(size & 0xFF);
  return MakeFont(face, height, 500, false, dpi);
}

// The pictures' grey background (192, 192, 192) becomes the page colour: the window colour on
// themed pages, the 3-D face on classic ones. The art is 24-bit, without a colour table the
// loader's own colour mapping could work on.
void PaintBackground(HBITMAP picture) {
  DIBSECTION dib = {};
  if (GetObjectA(picture, sizeof dib, &dib) != sizeof dib || dib.dsBm.bmBits == nullptr ||
      dib.dsBm.bmBitsPixel != 24)
    return;
  GdiFlush();
  const COLORREF page = GetSysColor(IsAppThemed() ? COLOR_WINDOW : COLOR_BTNFACE);
  auto* rows = static_cast<BYTE*>(dib.dsBm.bmBits);
  for (LONG y = 0; y < dib.dsBm.bmHeight; ++y) {
    BYTE* pixel = rows + y * dib.dsBm.bmWidthBytes;
    for (LONG x = 0; x < dib.dsBm.bmWidth; ++x, pixel += 3) {
      if (pixel[0] != 192 || pixel[1] != 192 || pixel[2] != 192) continue;
      pixel[0] = GetBValue(page);
      pixel[1] = GetGValue(page);
      pixel[2] = GetRValue(page);
    }
  }
}

// The pictures grow with the screen's dots per inch.
HBITMAP LoadPicture(int id, int dpi) {
  HBITMAP picture = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr),
                                                    MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0,
                                                    LR_CREATEDIBSECTION));
  if (picture == nullptr) return nullptr;
  PaintBackground(picture);
  BITMAP size = {};
  if (dpi == USER_DEFAULT_SCREEN_DPI || GetObjectA(picture, sizeof size, &size) == 0)
    return picture;
  HANDLE scaled =
      CopyImage(picture, IMAGE_BITMAP, MulDiv(size.bmWidth, dpi, USER_DEFAULT_SCREEN_DPI),
                MulDiv(size.bmHeight, dpi, USER_DEFAULT_SCREEN_DPI), LR_COPYDELETEORG);
  return scaled != nullptr ? static_cast<HBITMAP>(scaled) : picture;
}

}  // namespace

bool ExplorerArtCreate() {
  const int dpi = ScreenDpi();
  bool complete = true;
  for (int i = 0; i < kExplorerFontCount - 1; ++i) {
    g_fonts[i] = MakeFont(kFonts[i].face, kFonts[i].height, kFonts[i].weight,
                          kFonts[i].underline, dpi);
    complete = complete && g_fonts[i] != nullptr;
  }
  g_fonts[kFontNote] = MakeNoteFont(dpi);
  for (int i = 0; i < kBitmapCount; ++i) g_bitmaps[i] = LoadPicture(kBitmapIds[i], dpi);
  return complete && g_fonts[kFontNote] != nullptr;
}

void ExplorerArtDelete() {
  for (HFONT& font : g_fonts) {
    if (font != nullptr) DeleteObject(font);
    font = nullptr;
  }
  for (HBITMAP& bitmap : g_bitmaps) {
    if (bitmap != nullptr) DeleteObject(bitmap);
    bitmap = nullptr;
  }
}

HFONT ExplorerFont(ExplorerFontId id) {
  return id >= 0 && id < kExplorerFontCount ? g_fonts[id] : nullptr;
}

HBITMAP ExplorerBitmap(int id) {
  for (int i = 0; i < kBitmapCount; ++i)
    if (kBitmapIds[i] == id) return g_bitmaps[i];
  return nullptr;
}
