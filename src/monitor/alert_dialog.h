// Inside the alert dialogs: one dialog procedure for all eight, driven by a row per dialog.
#pragma once
#include <windows.h>

#include "foundation/filefacts.h"
#include "foundation/paths.h"
#include "resource.h"

enum AlertFontKind { kAlertFontName, kAlertFontCommand, kAlertFontExtension,
                     kAlertFontSystemFile, kAlertFontCount };
HFONT AlertFont(AlertFontKind kind);

struct AlertDialogRow;

// What an open alert knows about its item.
struct AlertDialogState {
  const AlertDialogRow* row;
  char executable[kPathSize];
  VersionStrings version;
  HICON programIcon;
};

struct AlertDialogRow {
  int dialogId;
  int captionString;
  int messageString;        // control 1036
  int pictureIcon;          // control 1130
  int escapeButton;         // the button that Esc and the close box stand for
  int historyAction;        // -1: the dialog writes no history entry
  int historyType;          // 0: the item's code
  bool historyShownName;    // the entry's title is control 100's text, else the product name
  int versionLabelString;   // control 1097
  int noButtonString;       // 0: the template's text stays
  bool iconButton;          // control 117 shows the program's icon
  bool copyright;           // control 1032 shows the legal copyright
  void (*fillName)(HWND dialog, const AlertDialogState& state);
  void (*fillMessage)(HWND dialog, const AlertDialogState& state);
  void (*opened)(HWND dialog);  // may be null
  int (*answer)(int button);    // button is 6 or 7
};

const AlertDialogRow* AlertDialogRowFor(int dialogId);
// Runs the dialog modally; 0 when it has no row or cannot be created.
int AlertRunDialog(int dialogId);

// Shared fillings and answers.
void AlertNameIsProduct(HWND dialog, const AlertDialogState& state);
void AlertMessagePlain(HWND dialog, const AlertDialogState& state);
int AlertAnswerIsButton(int button);

// The startup alert's particulars.
void AlertStartupName(HWND dialog, const AlertDialogState& state);
void AlertStartupMessage(HWND dialog, const AlertDialogState& state);
void AlertStartupOpened(HWND dialog);
int AlertStartupAnswer(int button);
