#include <windows.h>

#include "alert_dialog.h"
#include "alerts.h"
#include "records/history.h"
#include "resource.h"

namespace {

// The other alerts join with their own rows and templates. Columns: dialog, caption, message,
// picture, button for Esc, history action and type, history title from control 100, version
// label, text of button 7, program icon, copyright, then the name, message, opening and
// answer steps.
constexpr AlertDialogRow kAlertRows[] = {
    {IDD_ALERT_STARTUP, IDS_ALERT_CAPTION, IDS_STARTUP_ALERT_TEXT, IDI_ALERT_STARTUP, IDYES,
     kActStartAlert, 0, true, IDS_VERSION_LABEL_SHORT, 0, true, false, AlertStartupName,
     AlertStartupMessage, AlertStartupOpened, AlertStartupAnswer},
    {IDD_ALERT_DELAYED_BACK, IDS_DELAYED_BACK_CAPTION, IDS_DELAYED_BACK_TEXT, IDI_DELAYED, IDYES,
     -1, 0, true, IDS_VERSION_LABEL_SHORT, IDS_DISABLE_BUTTON, true, false, AlertNameIsProduct,
     AlertMessagePlain, nullptr, AlertAnswerIsButton},
};

}  // namespace

const AlertDialogRow* AlertDialogRowFor(int dialogId) {
  for (const AlertDialogRow& row : kAlertRows)
    if (row.dialogId == dialogId) return &row;
  return nullptr;
}
