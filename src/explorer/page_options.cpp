// The Options page: the monitor's program-wide options, the three checks without a page of
// their own, the history, HOSTS, delayed-start and alert-hiding actions, and the reports.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include "categories/system_files.h"
#include "foundation/msgbox.h"
#include "foundation/options.h"
#include "foundation/paths.h"
#include "foundation/platform.h"
#include "foundation/settings.h"
#include "foundation/strings.h"
#include "foundation/trace.h"
#include "hide_alerts_dialog.h"
#include "history_dialog.h"
#include "lookup/info.h"
#include "message_dialog.h"
#include "monitor_tray.h"
#include "options_store.h"
#include "pages.h"
#include "picture_buttons.h"
#include "records/upload_server.h"
#include "reports/report_backup.h"
#include "reports/report_scan_log.h"
#include "reports/report_spreadsheet.h"
#include "reports/report_system.h"
#include "resource.h"
#include "sheet.h"
#include "startup/delayed_start.h"
#include "startup/self_autostart.h"
#include "sweep_time_dialog.h"

namespace {

constexpr int kTrayIconOriginal = 159;
constexpr int kTrayIconDefault = 101;
constexpr int kHideTrayNotice = 927;
constexpr int kVeltFormatNotice = 1151;

struct OptionCheck {
  int control;
  OptionId option;
};

constexpr OptionCheck kOptionChecks[] = {
    {IDC_OPT_SOUND, kOptSound},           {IDC_OPT_HISTORY, kOptHistory},
    {IDC_OPT_HIDE_TRAY, kOptHideTobbit},  {IDC_OPT_LOCK_TYPES, kOptLockFileTypes},
    {IDC_OPT_CONFIRM_EXIT, kOptConfirmExit}, {IDC_OPT_VELT_FORMAT, kOptVeltFormat},
};

struct OptionPicture {
  int picture;
  int sweepLabel;
  OptionId minutes;
};

constexpr OptionPicture kOptionPictures[] = {
    {IDC_OPT_WININIT_PICTURE, 790, kOptWinInit},
    {IDC_OPT_PAGES_PICTURE, 791, kOptStartPage},
    {IDC_OPT_HOSTS_PICTURE, 792, kOptHostFile},
};

bool OptionsChecked(HWND page, int control) {
  return IsDlgButtonChecked(page, control) == BST_CHECKED;
}

void OptionsSetCheck(HWND page, int control, bool checked) {
  CheckDlgButton(page, control, checked ? BST_CHECKED : BST_UNCHECKED);
}

void OptionsPageTexts(HWND page) {
  const struct {
    int string, control;
  } kTexts[] = {
      {251, IDC_OPT_HEADER},         {253, IDC_OPT_GROUP},          {353, IDC_OPT_AUTOSTART},
      {354, IDC_OPT_SOUND},          {709, IDC_OPT_HISTORY},        {974, IDC_OPT_HIDE_TRAY},
      {928, IDC_OPT_LOCK_TYPES},     {749, IDC_OPT_CONFIRM_EXIT},   {1148, IDC_OPT_TRAY_ICON},
      {1150, IDC_OPT_VELT_FORMAT},   {355, IDC_OPT_WININIT_LABEL},  {635, IDC_OPT_PAGES_LABEL},
      {735, IDC_OPT_HOSTS_LABEL},    {727, IDC_OPT_VIEW_HISTORY},   {734, IDC_OPT_VIEW_HOSTS},
      {1125, IDC_OPT_RESTORE_DELAYED}, {1170, IDC_OPT_HIDE_ALERTS}, {793, IDC_HELP_LABEL},
      {310, IDC_OPT_REPORT},         {1137, IDC_OPT_SCAN_LOG},      {1145, IDC_OPT_SPREADSHEET},
      {853, IDC_OPT_EXPORT_SETTINGS},
  };
  for (const auto& text : kTexts) SetDialogText(page, text.string, text.control);
}

void OptionsPageIcon(HWND page) {
  const int size = GetSystemMetrics(SM_CXICON);
  HICON icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr),
                                             MAKEINTRESOURCEA(IDI_TAB_OPTIONS), IMAGE_ICON, size,
                                             size, LR_SHARED));
  if (icon) SendDlgItemMessageA(page, IDC_PAGE_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

// Offered only when the history goes to the maker's own server.
void OptionsHideAlertsButton(HWND page) {
  const UploadServerKind server = UploadServerConfigured();
  HWND button = GetDlgItem(page, IDC_OPT_HIDE_ALERTS);
  ShowWindow(button, server == UploadServerKind::None ? SW_HIDE : SW_SHOW);
  EnableWindow(button, server == UploadServerKind::Maker);
}

void OptionsPageInit(HWND page) {
  OptionsPageTexts(page);
  OptionsPageIcon(page);
  OptionsHideAlertsButton(page);
  SheetPageInit(page, ID_PAGE_OPTIONS);
}

void OptionsShowPictures(HWND page) {
  for (const OptionPicture& picture : kOptionPictures)
    PictureButtonSetMonitor(page, picture.picture, OptionsStoreValue(picture.minutes) > 0,
                            SweepTimeRealtime(picture.sweepLabel));
}

void OptionsShowChecks(HWND page) {
  for (const OptionCheck& check : kOptionChecks)
    OptionsSetCheck(page, check.control, OptionsStoreValue(check.option) > 0);
  OptionsSetCheck(page, IDC_OPT_AUTOSTART, IsSelfAutostart());
  OptionsSetCheck(page, IDC_OPT_TRAY_ICON, TrayIconOption() == kTrayIconOriginal);
}

void OptionsPageActivate(HWND page) {
  CreateActivePage(page);
  for (const OptionPicture& picture : kOptionPictures)
    PictureButtonAttach(page, picture.picture, PictureKind::Monitor, picture.picture);
  // The restart file is a thing of the 9x family; the original tray icon one of the NT family.
  const bool nt = !IsWin9xFamily();
  ShowWindow(GetDlgItem(page, IDC_OPT_WININIT_PICTURE), nt ? SW_HIDE : SW_SHOW);
  ShowWindow(GetDlgItem(page, IDC_OPT_WININIT_LABEL), nt ? SW_HIDE : SW_SHOW);
  ShowWindow(GetDlgItem(page, IDC_OPT_TRAY_ICON), nt ? SW_SHOW : SW_HIDE);
  OptionsStoreRefresh();
  OptionsShowPictures(page);
  OptionsShowChecks(page);
}

void OptionsPageDeactivate(HWND page) {
  for (const OptionPicture& picture : kOptionPictures) PictureButtonDetach(page, picture.picture);
  CleanupActivePage(page);
}

void OptionsAutostartClicked(HWND page) {
  const bool on = OptionsChecked(page, IDC_OPT_AUTOSTART);
  if (!SetSelfAutostart(on)) TraceNote("options page", "autostart entry not changed");
  g_selfAutostart = IsSelfAutostart() ? 1 : 0;
}

void OptionsHideTrayClicked(HWND page) {
  const int hide = OptionsChecked(page, IDC_OPT_HIDE_TRAY) ? 1 : 0;
  if (hide) ShowMessageDialog(page, kHideTrayNotice);
  OptionsStoreChange(kOptHideTobbit, hide);
  OptionsStoreWriteAll();
  MonitorTrayVisibility(hide);
}

void OptionsTrayIconClicked(HWND page) {
  const int icon = OptionsChecked(page, IDC_OPT_TRAY_ICON) ? kTrayIconOriginal : kTrayIconDefault;
  if (!OptionSet(OptionRowFor(kOptTrayIcon).name, icon))
    TraceNote("options page", "tray icon option not stored");
}

void OptionsCheckClicked(HWND page, const OptionCheck& check) {
  const bool on = OptionsChecked(page, check.control);
  if (check.option == kOptVeltFormat && on)
    ShowStringMessage(page, kVeltFormatNotice, MB_OK | MB_ICONEXCLAMATION | MB_TOPMOST);
  OptionsStoreChange(check.option, on ? 1 : 0);
}

bool OptionsCheckCommand(HWND page, int command) {
  switch (command) {
    case IDC_OPT_AUTOSTART: OptionsAutostartClicked(page); break;
    case IDC_OPT_HIDE_TRAY: OptionsHideTrayClicked(page); return true;
    case IDC_OPT_TRAY_ICON: OptionsTrayIconClicked(page); break;
    default: {
      const OptionCheck* found = nullptr;
      for (const OptionCheck& check : kOptionChecks)
        if (check.control == command) found = &check;
      if (found == nullptr) return false;
      OptionsCheckClicked(page, *found);
    }
  }
  OptionsStoreWriteAll();
  return true;
}

bool OptionsPictureCommand(HWND page, int command) {
  for (const OptionPicture& picture : kOptionPictures) {
    if (picture.picture != command) continue;
    const int minutes = SweepTimeDialog(page, picture.sweepLabel);
    if (minutes >= 0) {
      OptionsStoreChange(picture.minutes, minutes);
      OptionsStoreWriteAll();
    }
    OptionsShowPictures(page);
    return true;
  }
  return false;
}

void OptionsViewHosts() {
  char hosts[kPathSize] = "";
  if (HostsFilePath(hosts, sizeof hosts) == 0) {
    TraceNote("options page", "no HOSTS path");
    return;
  }
  OpenInNotepad(hosts);
}

void OptionsHideAlerts(HWND page) {
  HideAlertsDialog(page);
  OptionsStoreWriteAll();
}

bool OptionsPageCommand(HWND page, int command) {
  switch (command) {
    case IDC_OPT_VIEW_HISTORY: HistoryDialog(page); return true;
    case IDC_OPT_VIEW_HOSTS: OptionsViewHosts(); return true;
    case IDC_OPT_RESTORE_DELAYED: RestoreAllDelayed(); return true;
    case IDC_OPT_HIDE_ALERTS: OptionsHideAlerts(page); return true;
    case IDC_OPT_REPORT: WriteSystemReport(page); return true;
    case IDC_OPT_SCAN_LOG: WriteScanLog(page, ScanLogPath(), true); return true;
    case IDC_OPT_SPREADSHEET: WriteSpreadsheet(page, SpreadsheetPath()); return true;
    case IDC_OPT_EXPORT_SETTINGS: BackupSettings(page); return true;
    case IDC_HELP_PICTURE: ShowHelp(ID_PAGE_OPTIONS); return true;
    case IDOK:
    case IDCANCEL: return true;
    default:
      return OptionsPictureCommand(page, command) || OptionsCheckCommand(page, command);
  }
}

INT_PTR OptionsPageNotify(HWND page, const NMHDR* header) {
  if (header->code == PSN_SETACTIVE) {
    OptionsPageActivate(page);
    SetWindowLongPtrA(page, DWLP_MSGRESULT, 0);
    return TRUE;
  }
  if (header->code == PSN_KILLACTIVE) {
    OptionsPageDeactivate(page);
    SetWindowLongPtrA(page, DWLP_MSGRESULT, FALSE);
    return TRUE;
  }
  return FALSE;
}

}  // namespace

INT_PTR CALLBACK OptionsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  if (PictureButtonMouse(page, message, wParam, lParam)) return TRUE;
  switch (message) {
    case WM_INITDIALOG:
      OptionsPageInit(page);
      return TRUE;
    case WM_NOTIFY:
      return OptionsPageNotify(page, reinterpret_cast<const NMHDR*>(lParam));
    case WM_COMMAND:
      return OptionsPageCommand(page, LOWORD(wParam)) ? TRUE : FALSE;
    case WM_DRAWITEM:
      return LinkButtonDraw(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)) ? TRUE : FALSE;
    case ID_MSG_RELAYOUT:
      return TRUE;
    case WM_DESTROY:
      SheetPageClosed(page);
      return FALSE;
    default:
      return FALSE;
  }
}
