// Taking back a Task Scheduler 2.0 task's deletion: the task's file is kept before the
// deletion and registered again through the task service in its own folder and name.
#pragma once
#include <string>

#include "categories/scheduled_tasks_v2.h"

// Kept for the TASK_Remove line DeleteTaskV2 writes; false when nothing could be kept.
bool TaskV2UndoRecord(const TaskV2& task);
bool TaskV2UndoPutBack(const std::string& part);
std::string TaskV2UndoRecapture(const std::string& part);
