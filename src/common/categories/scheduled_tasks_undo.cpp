#include "categories/scheduled_tasks_undo.h"

#include <windows.h>

#include "records/history.h"
#include "records/undo_file.h"
#include "records/undo_store.h"
#include "text.h"

std::string ScheduledTaskJobPath(const char* taskName) {
  char windows[MAX_PATH] = "";
  const UINT length = GetWindowsDirectoryA(windows, MAX_PATH);
  if (taskName == nullptr || taskName[0] == '\0' || length == 0 || length >= MAX_PATH)
    return std::string();
  std::string path = std::string(windows) + "\\Tasks\\" + taskName;
  constexpr std::string_view kJob = ".job";
  if (path.size() < kJob.size() || !EqualsNoCase(std::string_view(path).substr(path.size() - kJob.size()), kJob))
    path += kJob;
  return path;
}

bool ScheduledTaskUndoRecord(const char* taskName) {
  const std::string job = ScheduledTaskJobPath(taskName);
  // Without its job file there is nothing the deletion could be taken back with.
  if (job.empty() || GetFileAttributesA(job.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
  UndoLineKey key;
  key.actions = {kActTaskRemove};
  key.undoAction = kActTaskRestore;
  key.typeCode = kTaskScheduledCode;
  key.title = taskName;
  key.command = job;
  return UndoStoreKeep(key, {{kUndoPartFile, UndoFileCapture(job.c_str())}});
}

void ScheduledTaskRemovedLine(const char* taskName) {
  HistoryWrite(taskName, ScheduledTaskJobPath(taskName).c_str(), "", kTaskScheduledCode,
               kActTaskRemove);
}
