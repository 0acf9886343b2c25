// The tasks of the Task Scheduler as Windows keeps them since version 6: asked of the task
// service, folder by folder, and where the service lists none, read from the task files of
// %windir%\system32\Tasks. Listed after the older work items, under their own code.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "item_codes.h"

// The published Task Scheduler 2.0 class and its service interface.
inline constexpr GUID kTaskServiceClass = {
    0x0F87369F, 0xA4E5, 0x4CFC, {0xBD, 0x3E, 0x73, 0xE6, 0x15, 0x45, 0x72, 0xDD}};
inline constexpr GUID kTaskServiceInterface = {
    0x2FABA4C7, 0x4DA9, 0x4013, {0x96, 0x97, 0x20, 0xCC, 0x3F, 0xD4, 0x0F, 0x85}};

struct TaskV2 {
  std::string path;     // "\Folder\Name", as the service names it
  std::string command;  // the first Exec action's command line
  std::string file;     // the task's file under the tasks folder
  std::string author;
  bool enabled = true;
};

// A name of this kind, not of a work item: it starts with a backslash.
bool TaskV2Named(const char* name);
// %windir%\system32\Tasks; empty when the system folder is unknown.
std::string TasksV2Folder();
// The service's tasks, else the files'; fromFiles tells which.
std::vector<TaskV2> TasksV2List(bool* fromFiles = nullptr);
// Adds one item per task to the item list (title = path, command, code kTaskScheduled2Code,
// value 1 when enabled); key and extra, the run times of a work item, stay empty as they are
// not known. The number added.
int TasksV2AddToList();
// Copies the task's file to the vault, then deletes the task through the service, or its
// file where the service does not know it. S_OK when it is gone; the vault copy is kept only
// then, and a history line names it.
long DeleteTaskV2(const char* path);
// The task of this path as a fresh read finds it.
bool FindTaskV2(const char* path, TaskV2& found, bool* fromFiles = nullptr);
// Registers the task again from its file's bytes (TASK_CREATE, in its own folder, made when
// missing). S_OK only when a fresh read then finds it.
long RestoreTaskV2(const char* path, const std::string& fileBytes);
// Deletes the task without a vault copy or a history line; S_OK when a fresh read no longer
// finds it.
long RemoveTaskV2(const char* path);
// Through the service only: a task file changed behind its back would not be honoured.
long DisableTaskV2(const char* path);
// The vault copy a deletion keeps of the task's file.
std::string TaskV2VaultCopy(const TaskV2& task);
