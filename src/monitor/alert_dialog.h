// Inside the alert dialogs: one dialog procedure for all eight, driven by a row per dialog.
#pragma once
#include <windows.h>

#include "foundation/filefacts.h"
#include "foundation/paths.h"
#include "lookup/signature.h"
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
  HICON secondIcon;  // file types: the program the type was changed to
  SignatureFacts signature;
  SignatureFacts secondSignature;  // file types: the program the type was changed to
};

struct AlertDialogRow {
  int dialogId;
  int captionString;
  int messageString;           // control 1036
  int messageControl = IDC_ALERT_MESSAGE;  // where the message goes
  int pictureIcon;             // control 1130
  int escapeButton;            // the button that Esc and the close box stand for
  int historyAction = -1;      // -1: the dialog writes no history entry
  int historyType = 0;         // 0: the item's code
  bool historyShownName = false;  // the entry's title is control 100's text, else product name
  int versionLabelString = IDS_VERSION_LABEL;  // control 1097
  int noButtonString = 0;      // 0: the template's text stays
  bool iconButton = false;     // control 117 shows the program's icon
  bool copyright = false;      // control 1032 shows the legal copyright
  void (*fillName)(HWND dialog, const AlertDialogState& state) = nullptr;
  void (*fillMessage)(HWND dialog, const AlertDialogState& state) = nullptr;
  void (*opened)(HWND dialog) = nullptr;
  int (*answer)(int button) = nullptr;  // button is 6 or 7; null answers the button
  // Replaces the program fields' filling for a dialog laid out otherwise.
  void (*fillAll)(HWND dialog, AlertDialogState& state) = nullptr;
  // Buttons of its own; true when the id was one of them.
  bool (*command)(HWND dialog, int id) = nullptr;
};

const AlertDialogRow* AlertDialogRowFor(int dialogId);
// Runs the dialog modally; 0 when it has no row or cannot be created.
int AlertRunDialog(int dialogId);

// Shared fillings.
void AlertNameIsProduct(HWND dialog, const AlertDialogState& state);
void AlertNameIsItem(HWND dialog, const AlertDialogState& state);
void AlertMessagePlain(HWND dialog, const AlertDialogState& state);
void AlertSetFont(HWND dialog, int control, AlertFontKind kind);
// ShowInfo for the item's kind and the given command.
void AlertShowInfo(HWND dialog, const char* command);
// The program's first icon on a flat button; null when the file has none.
HICON AlertPutIcon(HWND dialog, int button, const char* executable);

// The startup alert's particulars.
void AlertStartupName(HWND dialog, const AlertDialogState& state);
void AlertStartupMessage(HWND dialog, const AlertDialogState& state);
void AlertStartupOpened(HWND dialog);
int AlertStartupAnswer(int button);

// The other alerts' particulars.
void AlertTaskName(HWND dialog, const AlertDialogState& state);
void AlertServiceMessage(HWND dialog, const AlertDialogState& state);
int AlertServiceAnswer(int button);
void AlertFileTypeFill(HWND dialog, AlertDialogState& state);
bool AlertFileTypeCommand(HWND dialog, int id);

// The signature line under the facts, the warning put in front of the message of an
// unsigned or tampered program, and the line's attention colour (true when it was set).
void AlertSignatureLine(HWND dialog, int control, const SignatureFacts& facts);
void AlertSignatureWarn(HWND dialog, int messageControl, const SignatureFacts& facts);
bool AlertSignatureColour(HWND control, HDC dc, const AlertDialogState& state);

// The hidden-file alert's particulars.
void AlertHiddenOpened(HWND dialog);
