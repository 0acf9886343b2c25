// Taking back a scheduled task's deletion: its job file is kept before the deletion and
// written back into the Tasks folder, where the scheduler finds it again.
#pragma once
#include <string>

// <Windows folder>\Tasks\<name>, with ".job" added when the name lacks it; empty when the
// Windows folder is unknown.
std::string ScheduledTaskJobPath(const char* taskName);
bool ScheduledTaskUndoRecord(const char* taskName);
// The history line of a deletion that happened.
void ScheduledTaskRemovedLine(const char* taskName);
