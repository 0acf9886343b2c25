#include "alerts.h"

#include <cstdio>
#include <cstring>

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
  if (g_sweep.exitPending) {
    answer = 0;  // unanswered: the item comes up again at the next start
  } else if (policy == 1) {
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
  if (g_sweep.exitPending) return false;
  return ShowMessage(g_monitor.window, text ? text : "", MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
}

namespace {

BOOL CALLBACK AlertCloseDialog(HWND window, LPARAM) {
  char className[16] = "";
  if (GetClassNameA(window, className, sizeof className) > 0 &&
      std::strcmp(className, "#32770") == 0)
    EndDialog(window, 0);
  return TRUE;
}

}  // namespace

// A guarded-setting question is left to the user: closed unanswered it would read as No,
// which approves the change. The exit then waits for its answer.
void AlertCloseOpen() {
  if (!g_sweep.settingsAsking) EnumThreadWindows(GetCurrentThreadId(), AlertCloseDialog, 0);
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
