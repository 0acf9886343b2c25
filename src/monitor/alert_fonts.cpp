#include <windows.h>

#include "alert_dialog.h"
#include "alerts.h"

namespace {

struct AlertFontRow {
  const char* face;
  int height;  // pixels
  int weight;
  bool underline;
};
constexpr AlertFontRow kAlertFontRows[kAlertFontCount] = {
    {"Arial", 18, 500, false},          // item and program names
    {"MS Sans Serif", 14, 600, false},  // command lines and emphasised text
    {"Verdana", 18, 600, true},         // file extension
    {"Arial", 14, 400, false},          // system-file alert text
};

HFONT g_alertFonts[kAlertFontCount] = {};

}  // namespace

bool AlertCreateFonts() {
  AlertDeleteFonts();
  for (int i = 0; i < kAlertFontCount; ++i) {
    const AlertFontRow& row = kAlertFontRows[i];
    g_alertFonts[i] = CreateFontA(row.height, 0, 0, 0, row.weight, FALSE, row.underline, FALSE,
                                  ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                  DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, row.face);
    if (g_alertFonts[i] == nullptr) return false;
  }
  return true;
}

void AlertDeleteFonts() {
  for (HFONT& font : g_alertFonts) {
    if (font) DeleteObject(font);
    font = nullptr;
  }
}

HFONT AlertFont(AlertFontKind kind) {
  return (kind >= 0 && kind < kAlertFontCount) ? g_alertFonts[kind] : nullptr;
}
