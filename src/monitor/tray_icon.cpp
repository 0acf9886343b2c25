#include "tray_icon.h"

#include <shellapi.h>

#include "foundation/options.h"
#include "foundation/strings.h"
#include "foundation/trace.h"
#include "monitor.h"
#include "resource.h"
#include "text.h"

namespace {

inline constexpr int kTrayTooltipLoadSize = 64;

bool TrayHidden() { return g_options.value[kOptHideTobbit] == 1; }

// LoadIcon would take the 32x32 image and let the shell shrink it; the drawn 16x16 one is crisp.
HICON TrayLoadSmallIcon(int picture) {
  return static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(picture),
                                       IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                       GetSystemMetrics(SM_CYSMICON), LR_SHARED));
}

void TrayFillLook(NOTIFYICONDATAA& data, TrayOperation operation, int icon, int tooltip) {
  // An added icon always shows the configured tray picture, whatever was asked for.
  const int picture = operation == kTrayAdd ? TrayIconOption() : icon;
  if (picture != 0)
    data.hIcon = TrayLoadSmallIcon(picture);
  char text[kTrayTooltipLoadSize] = "";
  LocalString(tooltip, text, sizeof text);
  CopyBounded(data.szTip, sizeof data.szTip, text);
  data.uCallbackMessage = kMonitorTrayMessage;
  data.uFlags = NIF_ICON | NIF_TIP | NIF_MESSAGE;
}

}  // namespace

int TrayIconUpdate(TrayOperation operation, int icon, int tooltip) {
  if (TrayHidden()) return 0;
  NOTIFYICONDATAA data = {};
  data.cbSize = sizeof data;
  data.hWnd = g_monitor.window;
  data.uID = kTrayIconId;
  if (operation != kTrayDelete) TrayFillLook(data, operation, icon, tooltip);
  if (operation == kTrayAdd) TraceNote("Tray Message", "Add");
  static const DWORD kVerbs[] = {NIM_ADD, NIM_MODIFY, NIM_DELETE};
  Shell_NotifyIconA(kVerbs[operation], &data);
  return 1;
}

int SetTrayStatus(int icon, int tooltip) { return TrayIconUpdate(kTrayModify, icon, tooltip); }

int TrayIconReAdd() { return TrayIconUpdate(kTrayAdd, IDI_PROGRAM, IDS_TRAY_IDLE); }

// The loaded HideTobbit follows the command at once: the explorer's option write reaches the
// loaded options only at the next reload, and until then the old value would keep a shown
// icon from coming back, or let the periodic refresh bring a hidden one back.
void TrayVisibilityCommand(LPARAM hide) {
  if (hide != 0) {
    TrayIconUpdate(kTrayDelete, 0, 0);
    g_options.value[kOptHideTobbit] = 1;
  } else {
    g_options.value[kOptHideTobbit] = 0;
    TrayIconReAdd();
  }
}
