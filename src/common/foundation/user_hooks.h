// How the library asks the user: one set of hooks each program fills once at start, so that
// every question and notice appears in that program's own windows and dialogs.
#pragma once
#include <windows.h>

// The two machine-wide Windows settings the monitor guards.
enum class GuardedSetting { UpdateMode, Prefix };

// A null hook does what is written next to it.
struct UserHooks {
  // Owner of the library's questions and notices. Null: none.
  HWND owner = nullptr;
  // Before a protected entry (codes 252-255) is deleted; true confirms.
  // Null: not confirmed, the entry stays.
  bool (*confirmProtectedRemoval)(HWND owner, const char* title, const char* command) = nullptr;
  // Before a running program is stopped on request (KillTask with prompt); text is the
  // question (string 707 with the program's title). Null: a Yes/No box owned by owner, or
  // by the active window when there is no owner.
  bool (*confirmKill)(HWND owner, const char* text) = nullptr;
  // Before a per-machine entry is delayed (string 1120, OK/Cancel); true goes on.
  // Null: goes on without asking.
  bool (*confirmDelayAllUsers)(const char* title) = nullptr;
  // Cookies turned up that the user has not kept; true when the user wants to review them.
  // Null: no review.
  bool (*askCookieReview)() = nullptr;
  // A guarded setting differs from the approved value; true puts the approved value back.
  // Null: the live value becomes the approved one.
  bool (*askGuardedSetting)(GuardedSetting setting, const char* caption,
                            const char* text) = nullptr;
  // Where this program may not write machine-wide values: hands the put-back to a program
  // that may. Null: the library writes the value itself.
  void (*handOverGuardedSetting)(GuardedSetting setting) = nullptr;
  // The elevated job is about to put back, machine-wide, a change another account asked to
  // take back; text names it. True goes on. Null: a Yes/No box owned by owner.
  bool (*confirmPutBackForAccount)(HWND owner, const char* text) = nullptr;
  // A notice the user only acknowledges. Null: an information box owned by owner.
  void (*inform)(HWND owner, const char* text) = nullptr;
};

void UserHooksInstall(const UserHooks& hooks);
const UserHooks& UserHooksInstalled();

// The library's calls: each puts the question through the installed hook, or its null default.
bool UserConfirmProtectedRemoval(const char* title, const char* command);
bool UserConfirmKill(const char* text);
bool UserConfirmDelayAllUsers(const char* title);
bool UserAskCookieReview();
bool UserAskGuardedSetting(GuardedSetting setting, const char* caption, const char* text);
// False when no hand-over hook is installed: the caller writes the value itself.
bool UserHandOverGuardedSetting(GuardedSetting setting);
bool UserConfirmPutBackForAccount(const char* text);
void UserInform(const char* text);
