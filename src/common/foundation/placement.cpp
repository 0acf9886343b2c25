#include "placement.h"

#include <cstdio>
#include <initializer_list>

#include "options.h"
#include "settings.h"
#include "text.h"

int g_pageCommand = 0;

namespace {

constexpr int kPositionChars = 32;

struct Size {
  int width;
  int height;
};

Size WindowSize(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

void MoveTo(HWND window, int x, int y) {
  SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Beyond the far edge of all monitors, or wholly before their near edge (a value no monitor
// could have produced), the window comes back at the middle of the primary screen.
int OnScreen(int position, int extent, int virtualStart, int virtualExtent, int primaryExtent) {
  if (position > virtualExtent || position + extent <= virtualStart) return primaryExtent / 2;
  return position;
}

void StorePageCommand() { OptionSet(OptionRowFor(kOptStartTab).name, g_pageCommand); }

void WriteDecimal(const char* name, int number) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", number);
  SettingsWriteString(HKEY_CURRENT_USER, kBaseKey, name, text);
}

}  // namespace

void PlacementRestore(HWND window, const char* left, const char* top, const char*, const char*) {
  StorePageCommand();
  char x[kPositionChars], y[kPositionChars];
  if (SettingsReadString(HKEY_CURRENT_USER, kBaseKey, left, x, kPositionChars) == 0 ||
      SettingsReadString(HKEY_CURRENT_USER, kBaseKey, top, y, kPositionChars) == 0) {
    PlacementCentre(window);
    return;
  }
  const Size size = WindowSize(window);
  MoveTo(window,
         OnScreen(ParseDecimal(x), size.width, GetSystemMetrics(SM_XVIRTUALSCREEN),
                  GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CXSCREEN)),
         OnScreen(ParseDecimal(y), size.height, GetSystemMetrics(SM_YVIRTUALSCREEN),
                  GetSystemMetrics(SM_CYVIRTUALSCREEN), GetSystemMetrics(SM_CYSCREEN)));
}

void PlacementRestore(HWND window, PlacementKind kind) {
  const PlacementNames& names = kPlacementNames[kind];
  PlacementRestore(window, names.left, names.top, names.width, names.height);
}

void PlacementCentre(HWND window) {
  const Size size = WindowSize(window);
  MoveTo(window, (GetSystemMetrics(SM_CXSCREEN) - size.width) / 2,
         (GetSystemMetrics(SM_CYSCREEN) - size.height) / 3);
}

void PlacementSave(HWND window, const char* left, const char* top, const char* width,
                   const char* height) {
  RECT rect = {};
  if (GetWindowRect(window, &rect)) {
    WriteDecimal(left, rect.left);
    WriteDecimal(top, rect.top);
    WriteDecimal(width, rect.right - rect.left);
    WriteDecimal(height, rect.bottom - rect.top);
  }
  StorePageCommand();
}

void PlacementSave(HWND window, PlacementKind kind) {
  const PlacementNames& names = kPlacementNames[kind];
  PlacementSave(window, names.left, names.top, names.width, names.height);
}

void PlacementReset() {
  for (const PlacementNames& names : kPlacementNames) {
    for (const char* value : {names.left, names.top, names.width, names.height})
      SettingsDeleteValue(HKEY_CURRENT_USER, kBaseKey, value);
  }
}
