#include "categories/task_kill.h"

#include <windows.h>

#include "categories/active_tasks.h"
#include "foundation/paths.h"
#include "records/history.h"
#include "text.h"

namespace {


struct ProcessProbe {
  unsigned long processId;
  const char* path;
  bool runs;
};

bool ProcessProbeVisit(unsigned long processId, unsigned short task16, const char* path,
                       void* context) {
  auto& probe = *static_cast<ProcessProbe*>(context);
  if (processId != probe.processId || task16 != 0) return true;
  char file[kPathSize] = "";
  NormaliseCommand(path, file, sizeof file);
  probe.runs = file[0] != '\0' && EqualsNoCase(file, probe.path);
  return false;
}

}  // namespace

bool ProcessRunsFile(unsigned long processId, const char* path) {
  char file[kPathSize] = "";
  if (processId == 0 || path == nullptr || NormaliseCommand(path, file, sizeof file) == 0)
    return false;
  ProcessProbe probe{processId, file, false};
  WalkProcesses(ProcessProbeVisit, &probe);
  return probe.runs;
}

bool KillListedProcess(unsigned long processId, const char* title, const char* path,
                       const char* extra) {
  if (!ProcessRunsFile(processId, path) || !TerminateProcessById(processId)) return false;
  char file[kPathSize] = "";
  NormaliseCommand(path, file, sizeof file);
  HistoryWrite(title, file, extra ? extra : "", kTaskCode, kActTaskKill);
  return true;
}
