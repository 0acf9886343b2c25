#include "system_file_dialog.h"

#include <windows.h>

#include "alert_dialog.h"
#include "alerts.h"
#include "categories/system_files.h"
#include "foundation/placement.h"
#include "foundation/strings.h"
#include "monitor.h"
#include "resource.h"
#include "text.h"

namespace {

constexpr INT_PTR kEndedWell = 1;
constexpr INT_PTR kEndedBadly = 2;
constexpr int kPictureSize = 32;
constexpr int kCommentSize = 1024;

struct SystemFileDialogState {
  char name[kSystemFileNameSize];
  char path[kPathSize];
};

struct SystemFileText {
  int control;
  int string;
  bool plainFont;  // the system-file alert font; buttons and the check box keep the dialog's
};
constexpr SystemFileText kSystemFileTexts[] = {
    {IDC_SYSFILE_INTRO, IDS_FILE_CHANGE_CAPTION + 1, true},
    {IDC_SYSFILE_EXPECTED, IDS_FILE_CHANGE_CAPTION + 2, true},
    {IDC_SYSFILE_UNEXPECTED, IDS_FILE_CHANGE_CAPTION + 3, true},
    {IDC_SYSFILE_NAME_LABEL, IDS_FILE_CHANGE_CAPTION + 4, true},
    {IDC_SYSFILE_PATH_LABEL, IDS_FILE_CHANGE_CAPTION + 5, true},
    {IDC_SYSFILE_VIEW_NEW, IDS_FILE_CHANGE_CAPTION + 6, false},
    {IDC_SYSFILE_VIEW_PREVIOUS, IDS_FILE_CHANGE_CAPTION + 7, false},
    {IDC_SYSFILE_ACCEPT, IDS_FILE_CHANGE_CAPTION + 8, false},
    {IDC_SYSFILE_REJECT, IDS_FILE_CHANGE_CAPTION + 9, false},
    {IDC_SYSFILE_STOP_WATCHING, IDS_FILE_CHANGE_CAPTION + 10, false},
};

SystemFileDialogState* StateOf(HWND dialog) {
  return reinterpret_cast<SystemFileDialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

void SystemFileTexts(HWND dialog, const SystemFileDialogState& state) {
  char caption[256];
  if (LocalString(IDS_FILE_CHANGE_CAPTION, caption, sizeof caption) != 0)
    SetWindowTextA(dialog, caption);
  for (const SystemFileText& text : kSystemFileTexts) {
    SetDialogText(dialog, text.string, text.control);
    if (text.plainFont) AlertSetFont(dialog, text.control, kAlertFontSystemFile);
  }
  SetDlgItemTextA(dialog, IDC_SYSFILE_NAME, state.name);
  AlertSetFont(dialog, IDC_SYSFILE_NAME, kAlertFontCommand);
  SetDlgItemTextA(dialog, IDC_SYSFILE_PATH, state.path);
  char comment[kCommentSize] = "";
  SystemFileComment(state.name, comment, kCommentSize);
  SetDlgItemTextA(dialog, IDC_SYSFILE_COMMENT, comment);
  AlertSetFont(dialog, IDC_SYSFILE_COMMENT, kAlertFontSystemFile);
}

void SystemFileOpen(HWND dialog, SystemFileDialogState* state) {
  SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
  SystemFileTexts(dialog, *state);
  HANDLE icon = LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_TRAY_ALERT),
                           IMAGE_ICON, kPictureSize, kPictureSize, LR_SHARED);
  if (icon)
    SendDlgItemMessageA(dialog, IDC_SYSFILE_PICTURE, STM_SETICON, reinterpret_cast<WPARAM>(icon),
                        0);
  PlacementRestore(dialog, kPlaceSysFiles);
}

// Notepad has to be able to come in front of the dialog.
void SystemFileView(HWND dialog, const char* path) {
  OpenInNotepad(path);
  SetWindowPos(dialog, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void SystemFileAnswer(HWND dialog, const SystemFileDialogState& state, bool accept) {
  const bool stopWatching = IsDlgButtonChecked(dialog, IDC_SYSFILE_STOP_WATCHING) == BST_CHECKED;
  const bool done = accept ? AcceptSystemFileChange(state.name, state.path, stopWatching)
                           : RejectSystemFileChange(state.name, state.path, stopWatching);
  if (!done) ShowSystemError();
  EndDialog(dialog, done ? kEndedWell : kEndedBadly);
}

// Esc and the close box do not end the dialog: only an answer does.
void SystemFileCommand(HWND dialog, int id) {
  const SystemFileDialogState* state = StateOf(dialog);
  if (state == nullptr) return;
  char saved[kPathSize] = "";
  switch (id) {
    case IDC_SYSFILE_VIEW_NEW: SystemFileView(dialog, state->path); break;
    case IDC_SYSFILE_VIEW_PREVIOUS:
      SystemFileSavedCopy(state->name, saved, kPathSize);
      SystemFileView(dialog, saved);
      break;
    case IDC_SYSFILE_ACCEPT: SystemFileAnswer(dialog, *state, true); break;
    case IDC_SYSFILE_REJECT: SystemFileAnswer(dialog, *state, false); break;
    default: break;
  }
}

INT_PTR CALLBACK SystemFileDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SystemFileOpen(dialog, reinterpret_cast<SystemFileDialogState*>(lParam));
      return TRUE;
    case WM_COMMAND: SystemFileCommand(dialog, LOWORD(wParam)); return TRUE;
    case WM_CLOSE: return TRUE;
    case WM_DESTROY: PlacementSave(dialog, kPlaceSysFiles); return FALSE;
    default: return FALSE;
  }
}

}  // namespace

bool SystemFileDialogRun(const char* name, const char* path) {
  SystemFileDialogState state = {};
  CopyBounded(state.name, sizeof state.name, name ? name : "");
  CopyBounded(state.path, sizeof state.path, path ? path : "");
  const INT_PTR ended =
      DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SYSTEM_FILE),
                      g_monitor.window, SystemFileDialogProc, reinterpret_cast<LPARAM>(&state));
  return ended == kEndedWell;
}
