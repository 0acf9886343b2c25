#include "delayed_dialogs.h"

#include <string>

#include "delay_text.h"
#include "foundation/strings.h"
#include "foundation/trace.h"
#include "resource.h"
#include "startup/delayed_start.h"

namespace {

constexpr int kStateStrings[] = {1138, 1139, 1140};

void DialogCaption(HWND dialog, int string) {
  char text[256] = "";
  if (LocalString(string, text, sizeof text) != 0) SetWindowTextA(dialog, text);
}

INT_PTR CALLBACK ProgramTypeProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      DialogCaption(dialog, 1129);
      SetDialogText(dialog, 1126, IDC_PROGRAM_TYPE_TEXT);
      SetDialogText(dialog, 1127, IDC_PROGRAM_TYPE_ALL);
      SetDialogText(dialog, 1128, IDC_PROGRAM_TYPE_USER);
      SetDialogText(dialog, 304, IDCANCEL);
      CheckRadioButton(dialog, IDC_PROGRAM_TYPE_ALL, IDC_PROGRAM_TYPE_USER, IDC_PROGRAM_TYPE_USER);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK)
        EndDialog(dialog, IsDlgButtonChecked(dialog, IDC_PROGRAM_TYPE_ALL) == BST_CHECKED ? 1 : 2);
      else if (LOWORD(wParam) == IDCANCEL)
        EndDialog(dialog, 0);
      return TRUE;
    default:
      return FALSE;
  }
}

void DelayComboAdd(HWND dialog, int control, const char* text) {
  SendDlgItemMessageA(dialog, control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

void DelayOptionsFill(HWND dialog, const DelayedEdit& edit) {
  for (int minute = 0; minute <= kDelayMinutesMax; ++minute)
    DelayComboAdd(dialog, IDC_DELAY_MINUTES, std::to_string(minute).c_str());
  for (int step = 0; step < kDelayTenSecondEntries; ++step)
    DelayComboAdd(dialog, IDC_DELAY_SECONDS, std::to_string(step * 10).c_str());
  for (int string : kStateStrings) {
    char text[128] = "";
    LocalString(string, text, sizeof text);
    DelayComboAdd(dialog, IDC_DELAY_STATE, text);
  }
  SendDlgItemMessageA(dialog, IDC_DELAY_MINUTES, CB_SETCURSEL, edit.minutes, 0);
  SendDlgItemMessageA(dialog, IDC_DELAY_SECONDS, CB_SETCURSEL, edit.tenSeconds, 0);
  SendDlgItemMessageA(dialog, IDC_DELAY_STATE, CB_SETCURSEL, edit.state, 0);
  SendDlgItemMessageA(dialog, IDC_DELAY_PARAMETERS, EM_LIMITTEXT, kDelayEditTextSize - 1, 0);
  SendDlgItemMessageA(dialog, IDC_DELAY_TITLE, EM_LIMITTEXT, kDelayEditTextSize - 1, 0);
  SetDlgItemTextA(dialog, IDC_DELAY_PARAMETERS, edit.parameters);
  SetDlgItemTextA(dialog, IDC_DELAY_TITLE, edit.title);
}

void DelayOptionsInit(HWND dialog, const DelayedEdit& edit) {
  const struct {
    int string, control;
  } kTexts[] = {{1111, IDC_DELAY_TEXT}, {1113, IDC_DELAY_MINUTES_LABEL},
                {1114, IDC_DELAY_SECONDS_LABEL},          {1141, IDC_DELAY_STATE_LABEL},
                {1142, IDC_DELAY_PARAMETERS_LABEL},       {1131, IDC_DELAY_TITLE_LABEL},
                {662, IDOK},      {304, IDCANCEL}};
  DialogCaption(dialog, 1112);
  for (const auto& text : kTexts) SetDialogText(dialog, text.string, text.control);
  DelayOptionsFill(dialog, edit);
}

int DelayComboChoice(HWND dialog, int control) {
  const LRESULT choice = SendDlgItemMessageA(dialog, control, CB_GETCURSEL, 0, 0);
  return choice == CB_ERR ? 0 : static_cast<int>(choice);
}

void DelayOptionsRead(HWND dialog, DelayedEdit& edit) {
  edit.minutes = DelayComboChoice(dialog, IDC_DELAY_MINUTES);
  edit.tenSeconds = DelayComboChoice(dialog, IDC_DELAY_SECONDS);
  edit.state = DelayComboChoice(dialog, IDC_DELAY_STATE);
  GetDlgItemTextA(dialog, IDC_DELAY_PARAMETERS, edit.parameters, kDelayEditTextSize);
  GetDlgItemTextA(dialog, IDC_DELAY_TITLE, edit.title, kDelayEditTextSize);
}

INT_PTR CALLBACK DelayOptionsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      DelayOptionsInit(dialog, *reinterpret_cast<DelayedEdit*>(lParam));
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        DelayOptionsRead(dialog, *reinterpret_cast<DelayedEdit*>(GetWindowLongPtrA(dialog, DWLP_USER)));
        EndDialog(dialog, IDOK);
      } else if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
      }
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

ProgramType AskProgramType(HWND owner) {
  const INT_PTR answer = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_PROGRAM_TYPE),
                                         owner, ProgramTypeProc, 0);
  if (answer == 1) return ProgramType::AllUsers;
  if (answer == 2) return ProgramType::CurrentUser;
  if (answer < 0) TraceNote("delayed page", "the program type dialog could not open");
  return ProgramType::Cancelled;
}

bool EditDelayOptions(HWND owner, const char* program) {
  DelayedEdit edit = {};
  if (!DelayedEditLoad(program, &edit)) return false;
  const INT_PTR answer =
      DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_DELAY_OPTIONS), owner,
                      DelayOptionsProc, reinterpret_cast<LPARAM>(&edit));
  if (answer != IDOK) return false;
  if (DelayedEditSave(program, edit)) return true;
  TraceNote("delayed page", "the delay options could not be stored");
  return false;
}
