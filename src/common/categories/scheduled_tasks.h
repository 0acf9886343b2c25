// The Task Scheduler's work items: keeping the scheduler running, the list, a task's
// next-run and status texts, and deletion.
#pragma once
#include <windows.h>

#include "item_codes.h"

// The published Task Scheduler 1.0 classes and interfaces.
inline constexpr GUID kSchedulerClass = {
    0x148BD52A, 0xA2AB, 0x11CE, {0xB1, 0x1F, 0x00, 0xAA, 0x00, 0x53, 0x05, 0x03}};
inline constexpr GUID kSchedulerInterface = {
    0x148BD527, 0xA2AB, 0x11CE, {0xB1, 0x1F, 0x00, 0xAA, 0x00, 0x53, 0x05, 0x03}};
inline constexpr GUID kTaskInterface = {
    0x148BD524, 0xA2AB, 0x11CE, {0xB1, 0x1F, 0x00, 0xAA, 0x00, 0x53, 0x05, 0x03}};
inline constexpr GUID kTaskClass = {
    0x148BD520, 0xA2AB, 0x11CE, {0xB1, 0x1F, 0x00, 0xAA, 0x00, 0x53, 0x05, 0x03}};

// 0 when the scheduler runs or was started, else the system's error code.
unsigned long EnsureSchedulerRunning();
bool IsSchedulerRunning();
// Undoes a start made by EnsureSchedulerRunning.
unsigned long StopScheduler();

// Refills the item list with one item per work item, then the 2.0 tasks; the count. Without
// 2.0 tasks: 0 when the scheduler cannot run, a negative code when the scheduler object
// cannot be created.
int EnumerateScheduledTasks();
// Empty when the task is not found or the scheduler is unavailable.
void TaskNextRunText(const char* taskName, char* out, int capacity);
void TaskStatusText(const char* taskName, char* out, int capacity);
// S_OK when deleted, else the failure (not found, scheduler unavailable, Delete's own).
long DeleteScheduledTask(const char* taskName);
