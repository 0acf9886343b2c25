#include <cstring>

#include "alert_dialog.h"
#include "alerts.h"
#include "text.h"

namespace {

inline constexpr std::size_t kTaskEndingLength = 4;  // ".job"

}  // namespace

void AlertTaskName(HWND dialog, const AlertDialogState& state) {
  const std::size_t length = std::strlen(g_alertItem.name);
  // A 2.0 task's path has no file ending to take off.
  if (g_alertItem.name[0] == '\\') {
    SetDlgItemTextA(dialog, IDC_ALERT_NAME, g_alertItem.name);
    return;
  }
  if (length < kTaskEndingLength) {
    SetDlgItemTextA(dialog, IDC_ALERT_NAME, state.version.text[kProductName]);
    return;
  }
  char name[kAlertTextSize];
  CopyBounded(name, sizeof name, std::string_view(g_alertItem.name, length - kTaskEndingLength));
  SetDlgItemTextA(dialog, IDC_ALERT_NAME, name);
}
