#include "monitor_commands.h"

#include "categories/restart_viewer.h"
#include "explorer_launch.h"
#include "monitor.h"
#include "monitor_lifecycle.h"
#include "resource.h"
#include "startup/self_autostart.h"
#include "sweep_steps.h"
#include "tray_icon.h"

namespace {

struct ExplorerPageCommand {
  int id;
  const char* pageSwitch;
};

inline constexpr ExplorerPageCommand kExplorerPageCommands[] = {
    {ID_PAGE_STARTUP, "-START"},
    {ID_PAGE_VELT, "-VELT"},
    {ID_PAGE_COOKIES, "-NUTS"},
    {ID_PAGE_ACTIVE_TASKS, "-TASK"},
    {ID_PAGE_OPTIONS, "-OPTIONS"},
    {ID_PAGE_SERVICES, "-SERVICE"},
    {ID_PAGE_SCHEDULED_TASKS, "-SCHEDULE"},
    {ID_PAGE_IE_HELPERS, "-BHO"},
    {ID_PAGE_FILE_TYPES, "-FILETYPES"},
    {ID_CMD_MONITOR, "-MONITOR"},
    {ID_CMD_BLACKLIST, "-BLACKLIST"},
    {ID_PAGE_HIDDEN_FILES, "-HIDDEN"},
    {ID_PAGE_DELAYED, "-DELAY"},
    {ID_PAGE_ACTIVEX, "-ACTIVEX"},
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
    case ID_CMD_STARTUP_STEP: MonitorStartupStep(); break;
    case ID_CMD_CLOSE: PostMessageA(g_monitor.window, WM_DESTROY, 0, 0); break;
    case ID_CMD_TOGGLE_AUTOSTART: SetSelfAutostart(g_selfAutostart == 0); break;
    case ID_CMD_RESTART_COMMANDS: CheckWinInit(g_monitor.window, 0); break;
    case ID_CMD_TRAY_VISIBILITY: TrayVisibilityCommand(parameter); break;
    default: break;
  }
}
