#include <windows.h>

#include <cstring>
#include <string>

#include "alert_dialog.h"
#include "alerts.h"
#include "foundation/strings.h"
#include "item_codes.h"
#include "lookup/info.h"
#include "resource.h"
#include "text.h"

namespace {

constexpr int kMessageSize = 2048;
constexpr int kExplanationSize = 512;
constexpr int kHelpMeCommand = 6051;

struct LocationName {
  int code;
  const char* name;
};
constexpr LocationName kLocationNames[] = {
    {kLocationUserinit, "WinLogon:UserInit"},
    {kLocationShell, "WinLogon:Shell"},
    {kLocationDelayLoad, "ObjectDelayLoad"},
    {kLocationTaskScheduler, "SharedTaskScheduler"},
    {kLocationAppInit, "AppInit_DLLs"},
};

struct StartupRepeat {
  int counter;
  char lastCommand[sizeof AlertItem::command];
};
StartupRepeat g_repeat = {};

int ExplanationString(int code) {
  for (int runOnce : kRunOnceCodes)
    if (code == runOnce) return IDS_STARTUP_WHERE_RUN_ONCE;
  if (code == kLocationWinLoad || code == kLocationWinRun) return IDS_STARTUP_WHERE_WIN_INI;
  if (code == kLocationStartupFolder) return IDS_STARTUP_WHERE_FOLDER;
  return IDS_STARTUP_WHERE_OTHER;
}

int AnswerWithHelp() {
  AlertStartupRepeatClear();
  ShowHelp(kHelpMeCommand);
  return kAnswerDisable;
}

}  // namespace

void AlertStartupRepeatClear() { g_repeat = {}; }

void AlertStartupName(HWND dialog, const AlertDialogState& state) {
  const char* name = state.version.text[kProductName];
  if (name[0] != '\0') {
    for (const LocationName& location : kLocationNames)
      if (location.code == g_alertItem.code) name = location.name;
  }
  SetDlgItemTextA(dialog, IDC_ALERT_NAME, name);
}

void AlertStartupMessage(HWND dialog, const AlertDialogState& state) {
  char text[kMessageSize];
  if (LocalString(state.row->messageString, text, kMessageSize) == 0) return;
  const char* slot = std::strstr(text, "%s");
  if (slot == nullptr) {
    SetDlgItemTextA(dialog, IDC_ALERT_MESSAGE, text);
    return;
  }
  char explanation[kExplanationSize] = "";
  LocalString(ExplanationString(g_alertItem.code), explanation, kExplanationSize);
  std::string message(text, static_cast<std::size_t>(slot - text));
  message += explanation;
  message += slot + 2;
  SetDlgItemTextA(dialog, IDC_ALERT_MESSAGE, message.c_str());
  if (HFONT font = AlertFont(kAlertFontCommand))
    SendDlgItemMessageA(dialog, IDC_ALERT_MESSAGE, WM_SETFONT, reinterpret_cast<WPARAM>(font),
                        FALSE);
}

// A command that comes up again in a row counts; any other command starts the count anew.
void AlertStartupOpened(HWND dialog) {
  HWND box = GetDlgItem(dialog, IDC_ALERT_DONT_ASK);
  EnableWindow(box, FALSE);
  ShowWindow(box, SW_HIDE);
  if (EqualsNoCase(g_repeat.lastCommand, g_alertItem.command))
    ++g_repeat.counter;
  else
    g_repeat.counter = 0;
  CopyBounded(g_repeat.lastCommand, sizeof g_repeat.lastCommand, g_alertItem.command);
}

int AlertStartupAnswer(int button) {
  if (button == kAnswerYes) return g_repeat.counter < 2 ? kAnswerYes : AnswerWithHelp();
  if (g_repeat.counter > 1) return AnswerWithHelp();
  return g_alertItem.code == kLocationNotify ? kAnswerDisable : kAnswerNo;
}
