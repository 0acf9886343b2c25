// Running programs: the process walk, the list, lookup and stopping.
#pragma once

using ProcessVisitor = bool (*)(unsigned long processId, unsigned short task16,
                                const char* path, void* context);

bool WalkProcesses(ProcessVisitor visitor, void* context);
// The same walk with each path read from the process's image name, which costs a fraction of
// reading its module list; the first module's path where the image name cannot be asked.
bool WalkProcessImages(ProcessVisitor visitor, void* context);
int EnumerateActiveTasks();
unsigned long FindProcessByFile(const char* path);
bool IsProgramRunning(const char* path);
// prompt nonzero: asks first through the confirmKill hook.
unsigned long KillTask(const char* path, const char* title, int prompt);
bool TerminateProcessById(unsigned long processId);
void RecordActiveTasks();
// The number of distinct running programs; the caller brings its realtime checks forward
// when it differs from the previous call's.
int WatchTaskCount();
