#include "restart_viewer.h"

#include <string>

#include "foundation/msgbox.h"
#include "foundation/paths.h"
#include "foundation/strings.h"
#include "resource.h"
#include "system_files_restart.h"

namespace {

constexpr int kTitleSize = 256;

struct RestartViewerState {
  char title[kTitleSize];
  char folder[kPathSize];
};

void RestartViewerCentre(HWND dialog) {
  RECT window = {};
  GetWindowRect(dialog, &window);
  const int width = window.right - window.left, height = window.bottom - window.top;
  SetWindowPos(dialog, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void RestartViewerOpen(HWND dialog, const RestartViewerState* state) {
  SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
  if (state->title[0]) SetWindowTextA(dialog, state->title);
  SetDlgItemTextA(dialog, IDC_RESTART_TEXT, RestartCommandsText(state->folder).c_str());
  SetDialogText(dialog, IDS_WININIT_LEGEND, IDC_RESTART_LEGEND);
  SetDialogText(dialog, IDS_WININIT_DELETE, IDC_RESTART_DELETE);
  SetDialogText(dialog, IDS_CLOSE, IDCANCEL);
  RestartViewerCentre(dialog);
  SetFocus(GetDlgItem(dialog, IDCANCEL));
}

INT_PTR CALLBACK RestartViewerProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    RestartViewerOpen(dialog, reinterpret_cast<const RestartViewerState*>(lParam));
    return FALSE;  // the focus is on Close, not on the whole text selected
  }
  if (message != WM_COMMAND) return FALSE;
  const auto* state =
      reinterpret_cast<const RestartViewerState*>(GetWindowLongPtrA(dialog, DWLP_USER));
  switch (LOWORD(wParam)) {
    case IDC_RESTART_DELETE:
      if (state) RestartCommandsDelete(state->folder);
      EndDialog(dialog, IDOK);
      return TRUE;
    case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
    default: return FALSE;
  }
}

}  // namespace

int CheckWinInit(HWND owner, int quiet) {
  RestartViewerState state = {};
  LocalString(IDS_WININIT_TITLE, state.title, kTitleSize);
  if (!RestartCommandsFolder(state.folder, kPathSize) || !RestartCommandsWatched(state.folder))
    return 0;
  if (RestartCommandsPresent(state.folder)) {
    if (!quiet)
      DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_RESTART_VIEWER),
                      owner, RestartViewerProc, reinterpret_cast<LPARAM>(&state));
    return 1;
  }
  if (!quiet) ShowStringMessage(owner, IDS_WININIT_EMPTY, MB_OK | MB_ICONINFORMATION);
  return 0;
}
