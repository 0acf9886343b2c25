#include "foundation/user_hooks.h"

#include "foundation/msgbox.h"

namespace {

UserHooks g_hooks;

}  // namespace

void UserHooksInstall(const UserHooks& hooks) { g_hooks = hooks; }

const UserHooks& UserHooksInstalled() { return g_hooks; }

bool UserConfirmProtectedRemoval(const char* title, const char* command) {
  return g_hooks.confirmProtectedRemoval &&
         g_hooks.confirmProtectedRemoval(g_hooks.owner, title, command);
}

bool UserConfirmKill(const char* text) {
  if (g_hooks.confirmKill) return g_hooks.confirmKill(g_hooks.owner, text);
  const HWND owner = g_hooks.owner ? g_hooks.owner : GetActiveWindow();
  return ShowMessage(owner, text, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

bool UserConfirmDelayAllUsers(const char* title) {
  return !g_hooks.confirmDelayAllUsers || g_hooks.confirmDelayAllUsers(title);
}

bool UserAskCookieReview() { return g_hooks.askCookieReview && g_hooks.askCookieReview(); }

bool UserAskGuardedSetting(GuardedSetting setting, const char* caption, const char* text) {
  return g_hooks.askGuardedSetting && g_hooks.askGuardedSetting(setting, caption, text);
}

bool UserHandOverGuardedSetting(GuardedSetting setting) {
  if (!g_hooks.handOverGuardedSetting) return false;
  g_hooks.handOverGuardedSetting(setting);
  return true;
}

bool UserConfirmPutBackForAccount(const char* text) {
  if (g_hooks.confirmPutBackForAccount)
    return g_hooks.confirmPutBackForAccount(g_hooks.owner, text);
  return ShowMessage(g_hooks.owner, text, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

void UserInform(const char* text) {
  if (g_hooks.inform)
    g_hooks.inform(g_hooks.owner, text);
  else
    ShowMessage(g_hooks.owner, text, MB_OK | MB_ICONINFORMATION);
}
