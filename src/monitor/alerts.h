// The monitor's alert dialogs, their sounds and its plain message boxes.
#pragma once
#include <windows.h>

enum AlertDialogId {
  kAlertStartup = 131,
  kAlertDelayedBack = 192,
  kAlertTask = 138,
  kAlertService = 171,
  kAlertIEHelper = 140,
  kAlertActiveX = 193,
  kAlertHidden = 191,
  kAlertFileType = 143,
};

enum AlertAnswer { kAnswerYes = 6, kAnswerNo = 7, kAnswerDisable = 11 };

enum AlertSoundIndex {
  kSoundOpen = 0, kSoundStartup = 1, kSoundCookie = 2, kSoundTask = 3, kSoundIEHelper = 4,
  kSoundFileType = 5,
};

// The item the next alert shows; set by the caller, emptied by a dialog that is answered.
struct AlertItem {
  char command[260];
  char name[260];
  int code;
  char secondCommand[260];  // file types: the program the type was changed to
};
inline constexpr int kAlertTextSize = sizeof AlertItem::command;
extern AlertItem g_alertItem;

void AlertSetItem(const char* command, const char* name, int code);
void AlertItemClear();
// Answer of the dialog, or of the policy when it is not 0 (1 accepts, others reject).
int AlertOrAuto(int policy, int soundIndex, int dialogId);
// A category check's question: holds the sweep back and marks the wait as the user's while
// AlertOrAuto decides.
int AlertAsk(int policy, int soundIndex, int dialogId);
void AlertSound(int index);
bool AskYesNo(const char* text);
// Ends every open dialog and message box of the monitor with no answer (0), unless a
// guarded-setting question is open.
void AlertCloseOpen();
void ShowSystemError();
// Fonts of the alert texts; made with the main window.
bool AlertCreateFonts();
void AlertDeleteFonts();
// The startup alert's repeat counter and last alerted command.
void AlertStartupRepeatClear();
