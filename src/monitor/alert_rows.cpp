#include <windows.h>

#include "alert_dialog.h"
#include "alerts.h"
#include "records/history.h"
#include "resource.h"

namespace {

constexpr AlertDialogRow kAlertRows[] = {
    {.dialogId = IDD_ALERT_STARTUP, .captionString = IDS_ALERT_CAPTION,
     .messageString = IDS_STARTUP_ALERT_TEXT, .pictureIcon = IDI_ALERT_STARTUP,
     .escapeButton = IDYES, .historyAction = kActStartAlert, .historyShownName = true,
     .versionLabelString = IDS_VERSION_LABEL_SHORT, .iconButton = true,
     .fillName = AlertStartupName, .fillMessage = AlertStartupMessage,
     .opened = AlertStartupOpened, .answer = AlertStartupAnswer},
    {.dialogId = IDD_ALERT_DELAYED_BACK, .captionString = IDS_DELAYED_BACK_CAPTION,
     .messageString = IDS_DELAYED_BACK_TEXT, .pictureIcon = IDI_DELAYED, .escapeButton = IDYES,
     .historyShownName = true, .versionLabelString = IDS_VERSION_LABEL_SHORT,
     .noButtonString = IDS_DISABLE_BUTTON, .iconButton = true, .fillName = AlertNameIsProduct,
     .fillMessage = AlertMessagePlain},
    {.dialogId = IDD_ALERT_TASK, .captionString = IDS_ALERT_CAPTION,
     .messageString = IDS_TASK_ALERT_TEXT, .pictureIcon = IDI_ALERT_TASK, .escapeButton = IDYES,
     .historyAction = kActTaskAlert, .historyType = kTaskScheduledCode, .copyright = true,
     .fillName = AlertTaskName, .fillMessage = AlertMessagePlain},
    {.dialogId = IDD_ALERT_SERVICE, .captionString = IDS_ALERT_CAPTION,
     .messageString = IDS_SERVICE_ALERT_TEXT, .messageControl = IDC_ALERT_SERVICE_TEXT,
     .pictureIcon = IDI_ALERT_SERVICE,
     .escapeButton = IDNO, .versionLabelString = IDS_VERSION_LABEL_SHORT, .iconButton = true,
     .fillName = AlertNameIsItem, .fillMessage = AlertServiceMessage,
     .answer = AlertServiceAnswer},
    {.dialogId = IDD_ALERT_IE_HELPER, .captionString = IDS_ALERT_CAPTION,
     .messageString = IDS_IE_HELPER_ALERT_TEXT, .pictureIcon = IDI_ALERT_IE_HELPER,
     .escapeButton = IDYES, .historyAction = kActIEHelperAlert,
     .historyType = kTypeBHO, .copyright = true, .fillName = AlertNameIsItem,
     .fillMessage = AlertMessagePlain},
    {.dialogId = IDD_ALERT_ACTIVEX, .captionString = IDS_ALERT_CAPTION,
     .messageString = IDS_ACTIVEX_ALERT_TEXT, .pictureIcon = IDI_ALERT_ACTIVEX,
     .escapeButton = IDYES, .historyAction = kActIEHelperAlert,
     .historyType = kTypeBHO, .copyright = true, .fillName = AlertNameIsItem,
     .fillMessage = AlertMessagePlain},
    {.dialogId = IDD_ALERT_HIDDEN, .captionString = IDS_ALERT_CAPTION,
     .messageString = IDS_HIDDEN_ALERT_TEXT, .pictureIcon = IDI_TRAY_ALERT,
     .escapeButton = IDNO, .historyAction = kActHiddenAlert, .historyType = kTypeHidden,
     .historyShownName = true, .copyright = true, .fillName = AlertNameIsItem,
     .fillMessage = AlertMessagePlain, .opened = AlertHiddenOpened},
    {.dialogId = IDD_ALERT_FILE_TYPE, .captionString = IDS_FILE_TYPE_ALERT_CAPTION,
     .messageString = IDS_FILE_TYPE_ALERT_TEXT, .pictureIcon = 0, .escapeButton = IDYES,
     .fillAll = AlertFileTypeFill, .command = AlertFileTypeCommand},
};

}  // namespace

const AlertDialogRow* AlertDialogRowFor(int dialogId) {
  for (const AlertDialogRow& row : kAlertRows)
    if (row.dialogId == dialogId) return &row;
  return nullptr;
}
