#include "hide_alerts_dialog.h"

#include "foundation/options.h"
#include "foundation/strings.h"
#include "options_store.h"
#include "resource.h"

namespace {

constexpr int kAllow = 1;
constexpr int kDeny = 2;

struct HideAlertRow {
  int check;
  int string;
  OptionId option;
  int allow;
  int deny;
};

constexpr HideAlertRow kHideAlertRows[] = {
    {IDC_HIDE_STARTUP, 1174, kOptHideStartup, IDC_HIDE_STARTUP_ALLOW, IDC_HIDE_STARTUP_DENY},
    {IDC_HIDE_IE_HELPERS, 1175, kOptHideIEHelper, IDC_HIDE_IE_HELPERS_ALLOW, IDC_HIDE_IE_HELPERS_DENY},
    {IDC_HIDE_TASKS, 1176, kOptHideTasks, IDC_HIDE_TASKS_ALLOW, IDC_HIDE_TASKS_DENY},
    {IDC_HIDE_SERVICES, 1177, kOptHideServices, IDC_HIDE_SERVICES_ALLOW, IDC_HIDE_SERVICES_DENY},
    {IDC_HIDE_ACTIVEX, 1178, kOptHideActiveX, IDC_HIDE_ACTIVEX_ALLOW, IDC_HIDE_ACTIVEX_DENY},
    {IDC_HIDE_HIDDEN, 1179, kOptHideHidden, IDC_HIDE_HIDDEN_ALLOW, IDC_HIDE_HIDDEN_DENY},
    {IDC_HIDE_FILE_TYPES, 1180, kOptHideFileType, IDC_HIDE_FILE_TYPES_ALLOW, IDC_HIDE_FILE_TYPES_DENY},
    {IDC_HIDE_SYSTEM_FILES, 1181, kOptHideSystemFiles, IDC_HIDE_SYSTEM_FILES_ALLOW,
     IDC_HIDE_SYSTEM_FILES_DENY},
    {IDC_HIDE_HOME_PAGES, 1182, kOptHideHomePage, IDC_HIDE_HOME_PAGES_ALLOW,
     IDC_HIDE_HOME_PAGES_DENY},
};

void HideAlertsShow(HWND dialog) {
  for (const HideAlertRow& row : kHideAlertRows) {
    const int policy = OptionsStoreValue(row.option);
    CheckDlgButton(dialog, row.check, policy == kAllow || policy == kDeny ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, row.allow, policy == kAllow ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, row.deny, policy == kDeny ? BST_CHECKED : BST_UNCHECKED);
  }
}

void HideAlertsInit(HWND dialog) {
  char caption[256] = "";
  LocalString(1170, caption, sizeof caption);
  SetWindowTextA(dialog, caption);
  SetDialogText(dialog, 1171, IDC_HIDE_TEXT);
  SetDialogText(dialog, 1172, IDC_HIDE_ALLOW_HEAD);
  SetDialogText(dialog, 1173, IDC_HIDE_DENY_HEAD);
  SetDialogText(dialog, IDS_CLOSE, IDCANCEL);
  for (const HideAlertRow& row : kHideAlertRows) SetDialogText(dialog, row.string, row.check);
  OptionsStoreRefresh();
  HideAlertsShow(dialog);
}

bool HideAlertsClicked(HWND dialog, int control) {
  for (const HideAlertRow& row : kHideAlertRows) {
    int policy = 0;
    if (control == row.check)
      policy = OptionsStoreValue(row.option) <= 0 ? kAllow : 0;
    else if (control == row.allow)
      policy = kAllow;
    else if (control == row.deny)
      policy = kDeny;
    else
      continue;
    OptionsStoreChange(row.option, policy);
    HideAlertsShow(dialog);
    return true;
  }
  return false;
}

INT_PTR CALLBACK HideAlertsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      HideAlertsInit(dialog);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      return HideAlertsClicked(dialog, LOWORD(wParam)) ? TRUE : FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

void HideAlertsDialog(HWND owner) {
  DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_HIDE_ALERTS), owner,
                  HideAlertsProc, 0);
}
