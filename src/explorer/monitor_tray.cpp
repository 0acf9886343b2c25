#include "monitor_tray.h"

#include <windows.h>

#include "resource.h"

namespace {

constexpr int kClassNameSize = 32;
// A monitor that shows an alert still takes sent messages; one that hangs must not hang the
// options page with it.
constexpr UINT kSendTimeoutMs = 5000;

}  // namespace

bool MonitorTrayVisibility(int hideTobbit) {
  char className[kClassNameSize] = "";
  if (LoadStringA(GetModuleHandleA(nullptr), IDS_CLASS_NAME, className, kClassNameSize) == 0)
    return false;
  HWND monitor = FindWindowA(className, nullptr);
  if (monitor == nullptr) return false;
  DWORD_PTR answer = 0;
  return SendMessageTimeoutA(monitor, WM_COMMAND, ID_CMD_TRAY_VISIBILITY, hideTobbit,
                             SMTO_ABORTIFHUNG | SMTO_BLOCK, kSendTimeoutMs, &answer) != 0;
}
