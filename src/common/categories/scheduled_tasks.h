// The Task Scheduler's work items: keeping the scheduler running, the list, a task's
// next-run and status texts, and deletion.
#pragma once

inline constexpr int kTaskScheduledCode = 800;

// 0 when the scheduler runs or was started, else the system's error code.
unsigned long EnsureSchedulerRunning();
bool IsSchedulerRunning();
// Undoes a start made by EnsureSchedulerRunning.
unsigned long StopScheduler();

// Refills the item list with one item per task; 0 when the scheduler cannot run, a
// negative code when the scheduler object cannot be created.
int EnumerateScheduledTasks();
// Empty when the task is not found or the scheduler is unavailable.
void TaskNextRunText(const char* taskName, char* out, int capacity);
void TaskStatusText(const char* taskName, char* out, int capacity);
// S_OK when deleted, else the failure (not found, scheduler unavailable, Delete's own).
long DeleteScheduledTask(const char* taskName);
