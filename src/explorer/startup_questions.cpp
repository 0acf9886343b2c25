#include "startup_questions.h"

#include <cstdio>

#include "foundation/msgbox.h"
#include "foundation/strings.h"
#include "foundation/trace.h"
#include "foundation/user_hooks.h"
#include "resource.h"
#include "protected_warning.h"

namespace {

constexpr int kHelpCaptionString = 31;
constexpr int kRemoveQuestionString = 15;
constexpr int kDeleteOnRebootString = 800;
constexpr int kDelayAllUsersString = 1120;
constexpr int kTextSize = 2048;

HWND g_questionOwner = nullptr;

}  // namespace

void StartupQuestionsInstall(HWND owner) {
  g_questionOwner = owner;
  UserHooks hooks;
  hooks.owner = owner;
  hooks.confirmProtectedRemoval = ProtectedWarningAsk;
  hooks.confirmDelayAllUsers = StartupAskDelayAllUsers;
  UserHooksInstall(hooks);
}

void StartupSayNoSelection(HWND owner) {
  char text[kTextSize] = "", caption[256] = "";
  LocalString(IDS_NO_SELECTION, text, sizeof text);
  LocalString(kHelpCaptionString, caption, sizeof caption);
  g_traceUserWait = true;
  MessageBoxExA(owner, text, caption, MB_OK | MB_ICONQUESTION | MB_TOPMOST,
                MAKELANGID(g_languageId, SUBLANG_DEFAULT));
}

bool StartupAskRemove(HWND owner, const char* command) {
  char format[kTextSize] = "", text[kTextSize + 512] = "";
  LocalString(kRemoveQuestionString, format, sizeof format);
  std::snprintf(text, sizeof text, format, command ? command : "");
  return ShowMessage(owner, text, MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
}

bool StartupAskDeleteOnReboot(HWND owner) {
  return ShowStringMessage(owner, kDeleteOnRebootString, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

bool StartupAskDelayAllUsers(const char*) {
  return ShowStringMessage(g_questionOwner, kDelayAllUsersString, MB_OKCANCEL | MB_ICONEXCLAMATION) ==
         IDOK;
}
