#include "monitor_commands.h"

#include "categories/restart_viewer.h"
#include "explorer_launch.h"
#include "monitor.h"
#include "monitor_lifecycle.h"
#include "startup/self_autostart.h"
#include "sweep_steps.h"
#include "tray_icon.h"

namespace {

struct ExplorerPageCommand {
  int id;
  const char* pageSwitch;
};

inline constexpr ExplorerPageCommand kExplorerPageCommands[] = {
    {6026, "-START"},    {6027, "-VELT"},      {6028, "-NUTS"},    {6029, "-TASK"},
    {6033, "-OPTIONS"},  {6038, "-SERVICE"},   {6039, "-SCHEDULE"}, {6040, "-BHO"},
    {6042, "-FILETYPES"}, {6046, "-MONITOR"},  {6047, "-BLACKLIST"}, {6052, "-HIDDEN"},
    {6055, "-DELAY"},    {6056, "-ACTIVEX"},
};

const char* MonitorPageSwitch(int id) {
  for (const ExplorerPageCommand& row : kExplorerPageCommands)
    if (row.id == id) return row.pageSwitch;
  return nullptr;
}

}  // namespace

void MonitorCommand(int id, LPARAM parameter) {
  if (const char* pageSwitch = MonitorPageSwitch(id)) {
    StartExplorer(pageSwitch);
    return;
  }
  switch (id) {
    case kCmdStartupStep: MonitorStartupStep(); break;
    case kCmdExit: PostMessageA(g_monitor.window, WM_DESTROY, 0, 0); break;
    case kCmdToggleAutostart: SetSelfAutostart(g_selfAutostart == 0); break;
    case kCmdRestartCommands: CheckWinInit(g_monitor.window, 0); break;
    case kCmdTrayVisibility: TrayVisibilityCommand(parameter); break;
    default: break;
  }
}
