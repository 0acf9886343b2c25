#include "alert_dialog.h"

#include <windows.h>
#include <shellapi.h>

#include "alerts.h"
#include "foundation/placement.h"
#include "foundation/strings.h"
#include "lookup/info.h"
#include "monitor.h"
#include "records/history.h"
#include "resource.h"
#include "text.h"

namespace {

constexpr int kCaptionSize = 256;
constexpr int kHistoryTitleSize = 128;
constexpr int kInfoKindOffset = 1000;
constexpr int kPictureSize = 32;

AlertDialogState* StateOf(HWND dialog) {
  return reinterpret_cast<AlertDialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

void SetTextIfAny(HWND dialog, int control, const char* text) {
  if (text[0] != '\0') SetDlgItemTextA(dialog, control, text);
}

void AlertSetCaption(HWND dialog, int number) {
  char caption[kCaptionSize];
  if (LocalString(number, caption, kCaptionSize) != 0) SetWindowTextA(dialog, caption);
}

void AlertSetPicture(HWND dialog, int iconId) {
  if (iconId == 0) return;
  HANDLE icon = LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(iconId), IMAGE_ICON,
                           kPictureSize, kPictureSize, LR_SHARED);
  if (icon) SendDlgItemMessageA(dialog, IDC_ALERT_PICTURE, STM_SETICON,
                                reinterpret_cast<WPARAM>(icon), 0);
}


void AlertFillTexts(HWND dialog, const AlertDialogState& state) {
  const AlertDialogRow& row = *state.row;
  AlertSetFont(dialog, IDC_ALERT_COMMAND, kAlertFontCommand);
  SetDlgItemTextA(dialog, IDC_ALERT_COMMAND, g_alertItem.command);
  SetDialogText(dialog, row.versionLabelString, IDC_ALERT_VERSION_LABEL);
  SetDialogText(dialog, IDS_VELT_INFO_BUTTON, IDC_ALERT_INFO);
  if (row.noButtonString != 0) SetDialogText(dialog, row.noButtonString, IDNO);
  const VersionStrings& facts = state.version;
  SetTextIfAny(dialog, IDC_ALERT_VERSION, facts.text[kProductVersion]);
  SetTextIfAny(dialog, IDC_ALERT_COMPANY, facts.text[kCompanyName]);
  SetTextIfAny(dialog, IDC_ALERT_DESCRIPTION, facts.text[kFileDescription]);
  if (row.copyright) SetTextIfAny(dialog, IDC_ALERT_COPYRIGHT, facts.text[kLegalCopyright]);
  AlertSignatureLine(dialog, IDC_ALERT_SIGNATURE, state.signature);
  if (row.fillName) row.fillName(dialog, state);
  AlertSetFont(dialog, IDC_ALERT_NAME, kAlertFontName);
  if (row.fillMessage) row.fillMessage(dialog, state);
  AlertSignatureWarn(dialog, row.messageControl, state.signature);
}

// Written as the dialog opens, before any answer.
void AlertWriteHistory(HWND dialog, const AlertDialogState& state) {
  const AlertDialogRow& row = *state.row;
  if (row.historyAction < 0) return;
  char title[kHistoryTitleSize] = "";
  if (row.historyShownName)
    GetDlgItemTextA(dialog, IDC_ALERT_NAME, title, kHistoryTitleSize);
  else
    CopyBounded(title, kHistoryTitleSize, state.version.text[kProductName]);
  if (title[0] == '\0') CopyBounded(title, kHistoryTitleSize, g_alertItem.name);
  const char* executable = state.executable[0] ? state.executable : g_alertItem.command;
  HistoryWrite(title, executable, state.version.text[kFileDescription],
               row.historyType ? row.historyType : g_alertItem.code, row.historyAction);
}

void AlertOpen(HWND dialog, AlertDialogState* state) {
  SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
  const AlertDialogRow& row = *state->row;
  AlertSetCaption(dialog, row.captionString);
  AlertSetPicture(dialog, row.pictureIcon);
  if (row.fillAll) {
    row.fillAll(dialog, *state);
  } else {
    AlertFillTexts(dialog, *state);
    if (row.iconButton)
      state->programIcon = AlertPutIcon(dialog, IDC_ALERT_ICON_BUTTON, state->executable);
  }
  PlacementRestore(dialog, kPlaceAlert);
  SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  if (row.opened) row.opened(dialog);
  AlertWriteHistory(dialog, *state);
  SetFocus(GetDlgItem(dialog, IDYES));
}

INT_PTR AlertCommand(HWND dialog, int id) {
  const AlertDialogState* state = StateOf(dialog);
  if (state == nullptr) return FALSE;
  if (id == IDC_ALERT_INFO) {
    AlertShowInfo(dialog, g_alertItem.command);
    return TRUE;
  }
  if (state->row->command && state->row->command(dialog, id)) return TRUE;
  if (id != IDOK && id != IDCANCEL && id != IDYES && id != IDNO) return FALSE;
  int button = id == IDCANCEL ? state->row->escapeButton : id;
  if (button == IDOK) button = IDYES;
  const int answer = state->row->answer ? state->row->answer(button) : button;
  AlertItemClear();
  EndDialog(dialog, answer);
  return TRUE;
}

INT_PTR CALLBACK AlertDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      AlertOpen(dialog, reinterpret_cast<AlertDialogState*>(lParam));
      return FALSE;  // the focus is set
    case WM_COMMAND:
      return AlertCommand(dialog, LOWORD(wParam));
    case WM_CLOSE:
      PlacementSave(dialog, kPlaceAlert);
      SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
      return TRUE;
    case WM_DESTROY:
      PlacementSave(dialog, kPlaceAlert);
      return FALSE;
    case WM_CTLCOLORSTATIC: {
      const AlertDialogState* state = StateOf(dialog);
      if (state == nullptr || !AlertSignatureColour(reinterpret_cast<HWND>(lParam),
                                                    reinterpret_cast<HDC>(wParam), *state))
        return FALSE;
      return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
    }
    default:
      return FALSE;
  }
}

}  // namespace

void AlertNameIsProduct(HWND dialog, const AlertDialogState& state) {
  SetDlgItemTextA(dialog, IDC_ALERT_NAME, state.version.text[kProductName]);
}

void AlertNameIsItem(HWND dialog, const AlertDialogState&) {
  SetDlgItemTextA(dialog, IDC_ALERT_NAME, g_alertItem.name);
}

void AlertMessagePlain(HWND dialog, const AlertDialogState& state) {
  SetDialogText(dialog, state.row->messageString, IDC_ALERT_MESSAGE);
}

// The dialog leaves the topmost band so that the browser can come to the front.
void AlertShowInfo(HWND dialog, const char* command) {
  ShowInfo(g_alertItem.code + kInfoKindOffset, command, g_alertItem.name);
  SetWindowPos(dialog, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void AlertSetFont(HWND dialog, int control, AlertFontKind kind) {
  if (HFONT font = AlertFont(kind))
    SendDlgItemMessageA(dialog, control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

HICON AlertPutIcon(HWND dialog, int button, const char* executable) {
  char path[kPathSize];
  CopyBounded(path, kPathSize, executable);
  if (!FileExists(path)) return nullptr;
  HICON icon = ExtractIconA(GetModuleHandleA(nullptr), path, 0);
  if (reinterpret_cast<UINT_PTR>(icon) <= 1) return nullptr;
  HWND control = GetDlgItem(dialog, button);
  SetWindowLongPtrA(control, GWL_STYLE, GetWindowLongPtrA(control, GWL_STYLE) | BS_ICON);
  SendMessageA(control, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
  return icon;
}

int AlertRunDialog(int dialogId) {
  const AlertDialogRow* row = AlertDialogRowFor(dialogId);
  if (row == nullptr) return 0;
  AlertDialogState state = {};
  state.row = row;
  NormaliseCommand(g_alertItem.command, state.executable, kPathSize);
  ReadVersionStrings(state.executable, &state.version);
  state.signature = SignatureOf(state.executable);
  const INT_PTR answer =
      DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(dialogId), g_monitor.window,
                      AlertDialogProc, reinterpret_cast<LPARAM>(&state));
  if (state.programIcon) DestroyIcon(state.programIcon);
  if (state.secondIcon) DestroyIcon(state.secondIcon);
  return answer > 0 ? static_cast<int>(answer) : 0;
}
