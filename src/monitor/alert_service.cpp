#include <cstdio>
#include <string>

#include "alert_dialog.h"
#include "alerts.h"
#include "categories/services.h"
#include "categories/service_registry.h"
#include "foundation/handles.h"
#include "foundation/strings.h"
#include "resource.h"
#include "text.h"

namespace {

inline constexpr int kTextSize = 1024;

// The service manager knows the key behind the display name; a service it does not know is
// looked up under the name itself.
int ServiceStartString(const char* name) {
  char keyName[kServiceNameSize];
  if (!ServiceKeyName(name, keyName, sizeof keyName)) CopyBounded(keyName, sizeof keyName, name);
  const std::string path = std::string(kServicesRegistryKey) + "\\" + keyName;
  RegKey key;
  if (!key.Open(HKEY_LOCAL_MACHINE, path.c_str(), KEY_QUERY_VALUE))
    return IDS_SERVICE_START_UNKNOWN;
  const int number = ServiceStartTypeString(ServiceReadNumber(key.get(), "Start", 0));
  return number != 0 ? number : IDS_SERVICE_START_UNKNOWN;
}

}  // namespace

void AlertServiceMessage(HWND dialog, const AlertDialogState& state) {
  SetDialogText(dialog, state.row->messageString, IDC_ALERT_SERVICE_TEXT);
  AlertSetFont(dialog, IDC_ALERT_SERVICE_TEXT, kAlertFontCommand);
  char format[kTextSize], startText[kTextSize], stateText[kTextSize];
  if (LocalString(IDS_SERVICE_ALERT_STATUS, format, kTextSize) == 0) return;
  LocalString(ServiceStartString(g_alertItem.name), startText, kTextSize);
  ServiceStateText(g_alertItem.name, stateText, kTextSize);
  char message[3 * kTextSize];
  std::snprintf(message, sizeof message, format, startText, stateText);
  SetDlgItemTextA(dialog, IDC_ALERT_SERVICE_STATUS, message);
}

// The sweep stops and disables a rejected service: it must know what happened.
int AlertServiceAnswer(int button) { return button; }
