#include "alert_dialog.h"
#include "foundation/strings.h"

// The Delete button is the cancel button, so that Esc and the close box delete. The shared
// opening focuses a Yes button this dialog lacks; the focus moves to OK once it is done.
void AlertHiddenOpened(HWND dialog) {
  SetDialogText(dialog, IDS_DELETE_BUTTON, IDCANCEL);
  PostMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDOK)), TRUE);
}
