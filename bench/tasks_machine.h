// The synthetic scheduled tasks: real Task Scheduler 1.0 jobs under a bench prefix, each with
// a program and a trigger, made and removed through the scheduler itself.
#pragma once
#include <windows.h>
#include <mstask.h>

#include <string>

inline constexpr wchar_t kBenchTaskPrefix[] = L"kvbench-";

// The name without a ".job" ending, which the scheduler takes on every platform.
std::wstring BenchTaskPlainName(const wchar_t* name);
bool BenchTaskIsOurs(const std::wstring& name);
// Makes count jobs; false when one could not be made or saved.
bool TasksMachineBuild(ITaskScheduler* scheduler, int count);
// Deletes every job under the prefix, a bench's leftovers included; returns how many.
int TasksMachineRemove(ITaskScheduler* scheduler);
