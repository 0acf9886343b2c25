#include "windows_settings.h"

#include <windows.h>

#include <cstdio>

#include "foundation/msgbox.h"
#include "foundation/settings.h"
#include "foundation/strings.h"
#include "resource.h"
#include "text.h"

namespace {

constexpr char kLiveUpdateKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\WindowsUpdate\\Auto Update";
constexpr char kUpdateModeValue[] = "AUOptions";
constexpr char kPrefixesKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\URL\\Prefixes";
constexpr char kDefaultPrefixKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\URL\\DefaultPrefix";
constexpr char kPrefixValue[] = "www";
constexpr char kApprovedPrefixValue[] = "wwwPrefix";
constexpr int kHighestUpdateMode = 4;
constexpr int kQuestionSize = 1024;
constexpr int kCaptionSize = 256;
constexpr int kModeTextSize = 256;

struct SettingsQuestion {
  char caption[kCaptionSize];
  char text[kQuestionSize];
};

void QuestionCaption(int titleString, SettingsQuestion& question) {
  char title[kCaptionSize] = "";
  LocalString(titleString, title, kCaptionSize);
  CopyBounded(question.caption, kCaptionSize, MessageCaption());
  AppendBounded(question.caption, kCaptionSize, " - ");
  AppendBounded(question.caption, kCaptionSize, title);
}

// Overrides of the question keep the built-in conversions (checked when loaded): two "%s".
void QuestionText(int formatString, const char* approved, const char* live,
                  SettingsQuestion& question) {
  char format[kQuestionSize] = "";
  LocalString(formatString, format, kQuestionSize);
  std::snprintf(question.text, kQuestionSize, format, approved, live);
}

bool PutBack(GuardedSetting setting, const SettingsQuestion& question) {
  return UserAskGuardedSetting(setting, question.caption, question.text);
}

void GuardUpdateMode(int approved) {
  const int live = LiveUpdateMode();
  if (live == approved) return;
  SettingsQuestion question = {};
  QuestionCaption(IDS_UPDATE_MODE_TITLE, question);
  char approvedText[kModeTextSize] = "", liveText[kModeTextSize] = "";
  LocalString(IDS_UPDATE_MODE_TITLE + approved, approvedText, kModeTextSize);
  LocalString(IDS_UPDATE_MODE_TITLE + live, liveText, kModeTextSize);
  QuestionText(IDS_UPDATE_MODE_QUESTION, approvedText, liveText, question);
  if (!PutBack(GuardedSetting::UpdateMode, question))
    ApproveUpdateMode(live);
  else if (!UserHandOverGuardedSetting(GuardedSetting::UpdateMode))
    WriteLiveUpdateMode(approved);
}

void GuardPrefix() {
  char approved[kPrefixSize] = "", live[kPrefixSize] = "";
  ApprovedPrefix(approved, kPrefixSize);
  LivePrefix(live, kPrefixSize);
  if (EqualsNoCase(approved, live)) return;
  SettingsQuestion question = {};
  QuestionCaption(IDS_PREFIX_TITLE, question);
  QuestionText(IDS_PREFIX_QUESTION, approved, live, question);
  if (!PutBack(GuardedSetting::Prefix, question))
    ApprovePrefix(live);
  else if (!UserHandOverGuardedSetting(GuardedSetting::Prefix))
    WriteLivePrefix(approved);
}

}  // namespace

int ApprovedUpdateMode() {
  return SettingsReadSmallNumber(HKEY_CURRENT_USER, kBaseKey, kUpdateModeValue);
}

int LiveUpdateMode() {
  return SettingsReadSmallNumber(HKEY_LOCAL_MACHINE, kLiveUpdateKey, kUpdateModeValue);
}

void InitApprovedUpdateMode() {
  if (ApprovedUpdateMode() != 0) return;
  const int live = LiveUpdateMode();
  if (live != 0) ApproveUpdateMode(live);
}

void ApproveUpdateMode(int mode) {
  SettingsWriteNumber(HKEY_CURRENT_USER, kBaseKey, kUpdateModeValue, static_cast<DWORD>(mode));
}

bool WriteLiveUpdateMode(int mode) {
  return SettingsWriteNumber(HKEY_LOCAL_MACHINE, kLiveUpdateKey, kUpdateModeValue,
                             static_cast<DWORD>(mode)) != 0;
}

int ApprovedPrefix(char* out, int capacity) {
  const int length =
      SettingsReadString(HKEY_CURRENT_USER, kBaseKey, kApprovedPrefixValue, out, capacity);
  return length != 0 ? length : LocalString(IDS_DEFAULT_PREFIX, out, capacity);
}

int LivePrefix(char* out, int capacity) {
  return SettingsReadString(HKEY_LOCAL_MACHINE, kPrefixesKey, kPrefixValue, out, capacity);
}

void ApprovePrefix(const char* prefix) {
  SettingsWriteString(HKEY_CURRENT_USER, kBaseKey, kApprovedPrefixValue, prefix);
}

bool WriteLivePrefix(const char* prefix) {
  const int www = SettingsWriteString(HKEY_LOCAL_MACHINE, kPrefixesKey, kPrefixValue, prefix);
  const int fallback = SettingsWriteString(HKEY_LOCAL_MACHINE, kDefaultPrefixKey, "", prefix);
  return www && fallback;
}

// Where the machine has no update mode at all there is nothing to take, and the prefix is
// still guarded: skipping it until a mode appears would leave it unguarded for good.
int GuardWindowsSettings() {
  const int approved = ApprovedUpdateMode();
  if (approved == 0 || approved > kHighestUpdateMode) {
    const int live = LiveUpdateMode();
    if (live != 0) {
      ApproveUpdateMode(live);
      return 1;
    }
    GuardPrefix();
    return 1;
  }
  GuardUpdateMode(approved);
  GuardPrefix();
  return 0;
}
