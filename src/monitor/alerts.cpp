#include "alerts.h"

#include <cstdio>

#include "alert_dialog.h"
#include "foundation/msgbox.h"
#include "foundation/strings.h"
#include "foundation/trace.h"
#include "monitor.h"
#include "sweep.h"
#include "text.h"

AlertItem g_alertItem = {};

namespace {

constexpr int kSystemTextSize = 512;
constexpr char kSystemErrorCaption[] = "System Error";

}  // namespace

void AlertSetItem(const char* command, const char* name, int code) {
  AlertItemClear();
  CopyBounded(g_alertItem.command, sizeof g_alertItem.command, command ? command : "");
  CopyBounded(g_alertItem.name, sizeof g_alertItem.name, name ? name : "");
  g_alertItem.code = code;
}

void AlertItemClear() { g_alertItem = {}; }

int AlertOrAuto(int policy, int soundIndex, int dialogId) {
  int answer = kAnswerNo;
  if (policy == 1) {
    answer = kAnswerYes;
  } else if (policy == 0) {
    AlertSound(soundIndex);
    g_traceUserWait = true;
    answer = AlertRunDialog(dialogId);
  }
  g_sweep.alertShowing = false;
  return answer;
}

int AlertAsk(int policy, int soundIndex, int dialogId) {
  g_sweep.alertShowing = true;
  g_traceUserWait = true;
  return AlertOrAuto(policy, soundIndex, dialogId);
}

bool AskYesNo(const char* text) {
  return ShowMessage(g_monitor.window, text ? text : "", MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
}

void ShowSystemError() {
  const DWORD code = GetLastError();
  char systemText[kSystemTextSize] = "";
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                 systemText, kSystemTextSize, nullptr);
  char text[kSystemTextSize + 32];
  std::snprintf(text, sizeof text, "%d  %s", static_cast<int>(code), systemText);
  g_traceUserWait = true;
  MessageBoxExA(g_monitor.window, text, kSystemErrorCaption,
                MB_OK | MB_ICONINFORMATION | MB_TOPMOST,
                MAKELANGID(g_languageId, SUBLANG_DEFAULT));
}
