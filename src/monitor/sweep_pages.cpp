#include <cstdio>
#include <cstring>

#include "alerts.h"
#include "foundation/settings.h"
#include "foundation/strings.h"
#include "foundation/trace.h"
#include "monitor.h"
#include "resource.h"
#include "sweep_steps.h"
#include "text.h"
#include "tray_icon.h"

namespace {

inline constexpr int kPageSize = 513;  // 512 characters
inline constexpr int kKeyTextSize = 260;
inline constexpr int kQuestionSize = 2048;

struct SweepPage {
  int keyString;
  int valueString;        // 0: the value is named by valueName
  const char* valueName;
  const char* remembered;  // value of the settings tree holding the last accepted page
  int question;
};

inline constexpr SweepPage kSweepPages[] = {
    {IDS_IE_MAIN_KEY, IDS_IE_START_PAGE_VALUE, nullptr, "StartPage", IDS_START_PAGE_QUESTION},
    {IDS_IE_MAIN_KEY, IDS_IE_SEARCH_PAGE_VALUE, nullptr, "SearchPage", IDS_SEARCH_PAGE_QUESTION},
    {IDS_IE_DESKTOP_KEY, 0, "Source", "SourcePage", IDS_DESKTOP_PAGE_QUESTION},
};

struct PagePlace {
  char key[kKeyTextSize];
  char value[kKeyTextSize];
};

void PagePlaceOf(const SweepPage& page, PagePlace& place) {
  LocalString(page.keyString, place.key, sizeof place.key);
  if (page.valueString != 0)
    LocalString(page.valueString, place.value, sizeof place.value);
  else
    CopyBounded(place.value, sizeof place.value, page.valueName);
}

std::string_view PageWithoutSlash(const char* page) {
  std::string_view text(page);
  if (!text.empty() && text.back() == '/') text.remove_suffix(1);
  return text;
}

bool PageAccepted(const SweepPage& page, const char* current, const char* remembered) {
  SetTrayStatus(IDI_TRAY_ALERT, IDS_TRAY_PAGES);
  char format[kQuestionSize] = "";
  LocalString(page.question, format, sizeof format);
  char question[kQuestionSize] = "";
  // Overrides of the text keep the built-in conversions (checked when loaded): two "%s".
  std::snprintf(question, sizeof question, format, current, remembered);
  g_traceUserWait = true;
  const int policy = g_options.value[kOptHideHomePage];
  if (policy == 0) return AskYesNo(question);
  return policy == 1;
}

void PageCheck(const SweepPage& page) {
  PagePlace place = {};
  PagePlaceOf(page, place);
  char current[kPageSize] = "", remembered[kPageSize] = "";
  SettingsReadString(HKEY_CURRENT_USER, place.key, place.value, current, sizeof current);
  SettingsReadString(HKEY_CURRENT_USER, kBaseKey, page.remembered, remembered,
                     sizeof remembered);
  if (remembered[0] == '\0') {
    SettingsWriteString(HKEY_CURRENT_USER, kBaseKey, page.remembered, current);
    return;
  }
  if (EqualsNoCase(PageWithoutSlash(current), PageWithoutSlash(remembered))) return;
  if (PageAccepted(page, current, remembered))
    SettingsWriteString(HKEY_CURRENT_USER, kBaseKey, page.remembered, current);
  else
    SettingsWriteString(HKEY_CURRENT_USER, place.key, place.value, remembered);
}

}  // namespace

void SweepPagesCheck() {
  for (const SweepPage& page : kSweepPages) PageCheck(page);
}
