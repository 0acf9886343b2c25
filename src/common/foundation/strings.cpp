#include "strings.h"

#include <cstdio>
#include <string>

#include "placement.h"
#include "resource.h"
#include "settings.h"
#include "strings_text.h"
#include "text.h"

int g_languageId = 0;

namespace {

constexpr int kOverrideCapacity = 772;
constexpr int kOverrideMax = kOverrideCapacity - 1;
constexpr int kLastStringNumber = 1165;
constexpr int kEnglish = 9;
// Large enough for the longest built-in text, so all of its conversions are seen.
constexpr int kBuiltInCapacity = 4096;

int LoadBuiltIn(int number, char* out, int capacity) {
  if (capacity <= 0) return 0;
  int length = LoadStringA(GetModuleHandleA(nullptr), static_cast<UINT>(number), out, capacity);
  if (length <= 0) {
    out[0] = '\0';
    return 0;
  }
  return length;
}

int ReadOverride(int number, char* out) {
  char name[32];
  std::snprintf(name, sizeof name, "LString%d", number);
  return SettingsReadString(HKEY_LOCAL_MACHINE, kBaseKey, name, out, kOverrideCapacity);
}

// Callers hand these texts to printf-style formatting, so an override whose conversions
// differ from the built-in text's could read arguments that were never passed.
bool FitsBuiltIn(int number, const std::string& expanded) {
  char builtIn[kBuiltInCapacity];
  LoadBuiltIn(number, builtIn, kBuiltInCapacity);
  return SameConversions(builtIn, expanded);
}

int UseOverride(int number, char* text, int length, char* out, int capacity) {
  int cut = length;
  if (capacity <= kOverrideMax && cut > capacity) cut = capacity;
  if (cut < 0) cut = 0;
  std::string expanded = ExpandLineBreaks(std::string_view(text, static_cast<size_t>(cut)));
  if (expanded.size() >= static_cast<size_t>(capacity)) expanded.resize(capacity - 1);
  if (!FitsBuiltIn(number, expanded)) return 0;
  CopyBounded(out, static_cast<size_t>(capacity), expanded);
  return cut;
}

}  // namespace

int LocalString(int number, char* out, int capacity) {
  if (out == nullptr || capacity <= 0) return 0;
  if (g_languageId != kEnglish) {
    char text[kOverrideCapacity];
    int length = ReadOverride(number, text);
    if (length > 0) {
      int used = UseOverride(number, text, length, out, capacity);
      if (used > 0) return used;
    }
  }
  return LoadBuiltIn(number, out, capacity);
}

void SetDialogText(HWND dialog, int number, int control) {
  char text[512];
  if (LocalString(number, text, sizeof text) != 0) SetDlgItemTextA(dialog, control, text);
}

void ChooseLanguage() {
  g_languageId = 0;
  char code[8];
  if (LocalString(IDS_LANGUAGE_CODE, code, sizeof code) == 0) return;
  g_languageId = LanguageNumberForCode(code);
}

void ResetTranslation() {
  for (int number = 0; number <= kLastStringNumber; ++number) {
    char name[32];
    std::snprintf(name, sizeof name, "LString%d", number);
    SettingsDeleteValue(HKEY_LOCAL_MACHINE, kBaseKey, name);
  }
  PlacementReset();
}
