// Removing an IE add-on or a scheduled task that a page listed earlier. The page's row is a
// copy; the shared item list may hold another category by now, so each removal finds its
// entry afresh.
#pragma once

// Enumerates the add-ons again and removes the one of that code and key; the number of
// list entries that shared its command (0 when it is gone already).
int RemoveListedIEHelper(int code, const char* key, const char* command);
// Deletes the task from the scheduler and, only when that succeeded, forgets it in the
// monitor's known-task record, so a task that stays is not asked about as new. True when
// deleted.
bool RemoveListedScheduledTask(const char* taskName);
