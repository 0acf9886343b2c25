// Running programs: the process walk, the list, lookup and stopping.
#pragma once

struct OptionsRecord;

using ProcessVisitor = bool (*)(unsigned long processId, unsigned short task16,
                                const char* path, void* context);

bool WalkProcesses(ProcessVisitor visitor, void* context);
int EnumerateActiveTasks();
unsigned long FindProcessByFile(const char* path);
bool IsProgramRunning(const char* path);
unsigned long KillTask(const char* path, const char* title, int prompt);
bool TerminateProcessById(unsigned long processId);
void RecordActiveTasks();
int WatchTaskCount();
// What WatchTaskCount brings forward when the count changes: the monitor's loaded options
// (their realtime categories become due) and its sweep tick counter (the next tick starts
// a cycle). The monitor hands both in once at start; until then a change is only counted.
void WatchTaskCountTarget(OptionsRecord* options, int* tickCounter);
