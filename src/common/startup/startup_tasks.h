// Task Scheduler 2.0 tasks among the startup entries the Startup page lists. A task starts a
// program at logon or on a schedule as surely as a Run value does, so the advanced mode, which
// shows every other place beyond the Run family, shows the tasks as well. The monitor's own
// startup check leaves them out: their alert is the scheduled-task check's.
#pragma once
#include "startup/item_list.h"

// The startup list (BuildStartupList), and with it the 2.0 tasks when it shows everything.
// The number of entries.
int StartupTasksBuildList(int quick);
bool StartupTaskRow(int code);
// Switched off in the definition the Task Scheduler keeps.
bool StartupTaskDisabled(const ItemRow& row);
// The Scheduled Tasks page's own removal: the task file's vault copy, its history line and
// the known-task record. True when the task is gone.
bool StartupTaskRemove(const ItemRow& row);
// True when the Task Scheduler keeps it switched off.
bool StartupTaskDisable(const ItemRow& row);
