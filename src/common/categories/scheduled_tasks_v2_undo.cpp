#include "categories/scheduled_tasks_v2_undo.h"

#include <windows.h>

#include <optional>
#include <vector>

#include "records/history.h"
#include "records/undo_file.h"
#include "records/undo_store.h"
#include "undo_text.h"

namespace {

// The part: the task's path, "1" with its file's bytes or "0" when it is not there.
std::string TaskV2UndoPart(const TaskV2& task) {
  const auto file = UndoParseFields(UndoFileCapture(task.file.c_str()));
  if (!file || file->size() != 3 || (*file)[1] != "1" || (*file)[2].empty())
    return std::string();
  return UndoFieldsText({task.path, "1", (*file)[2]});
}

}  // namespace

bool TaskV2UndoRecord(const TaskV2& task) {
  UndoLineKey key;
  key.actions = {kActTaskRemove};
  key.undoAction = kActTaskRestore;
  key.typeCode = kTaskScheduled2Code;
  key.title = task.path;
  key.command = task.command;
  return UndoStoreKeep(key, {{kUndoPartTaskV2, TaskV2UndoPart(task)}});
}

bool TaskV2UndoPutBack(const std::string& part) {
  const auto fields = UndoParseFields(part);
  if (!fields || fields->size() != 3 || !TaskV2Named((*fields)[0].c_str())) return false;
  const std::vector<std::string>& f = *fields;
  if (f[1] == "1") return RestoreTaskV2(f[0].c_str(), f[2]) == S_OK;
  return f[1] == "0" && RemoveTaskV2(f[0].c_str()) == S_OK;
}

std::string TaskV2UndoRecapture(const std::string& part) {
  const auto fields = UndoParseFields(part);
  if (!fields || fields->size() != 3) return std::string();
  TaskV2 task;
  if (!FindTaskV2((*fields)[0].c_str(), task)) return UndoFieldsText({(*fields)[0], "0", ""});
  return TaskV2UndoPart(task);
}
