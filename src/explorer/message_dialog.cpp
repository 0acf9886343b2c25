#include "message_dialog.h"

#include "foundation/msgbox.h"
#include "foundation/strings.h"
#include "resource.h"

namespace {

INT_PTR CALLBACK MessageDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowTextA(dialog, MessageCaption());
      SetDialogText(dialog, static_cast<int>(lParam), IDC_MESSAGE_TEXT);
      SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(dialog, LOWORD(wParam));
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

void ShowMessageDialog(HWND owner, int stringId) {
  if (DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_MESSAGE), owner,
                      MessageDialogProc, stringId) <= 0)
    ShowStringMessage(owner, stringId, MB_OK | MB_ICONERROR);
}
