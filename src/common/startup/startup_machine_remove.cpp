#include "startup/startup_machine_remove.h"

#include "categories/machine_job.h"
#include "startup/locations.h"
#include "startup/snapshot.h"
#include "startup/startup_actions.h"
#include "startup/value_places.h"

namespace {

bool StartupMachinePoint(int code) {
  const ValuePlace* place = ValuePlaceOf(code);
  return place != nullptr && !place->perUser;
}

// The job names the entry only; the place's own rules pick what it takes out.
MachineJob StartupMachineJob(const char* title, const char* command, const char* key,
                             int code) {
  if (StartupMachinePoint(code)) return MachineJobPointRemove(code, key, command);
  return MachineJobStartupRemove(title, command, key, code);
}

}  // namespace

bool StartupMachineRemovable(int code) {
  return IsMachineRunFamily(code) || StartupMachinePoint(code);
}

int StartupMachineRemove(const char* title, const char* command, const char* key, int code) {
  if (!StartupMachineRemovable(code)) return RemoveStartupEntry(title, command, key, code);
  const MachineJob job = StartupMachineJob(title, command, key, code);
  if (MachineJobRun(job) == 0) {
    MachineJobTellFailure(job, title);
    return 0;
  }
  RemoveStartupEntryRecord(title, command, key, code);
  return 1;
}

int StartupMachineRestore(const char* title, const char* command, const char* key, int code) {
  if (!StartupMachineRemovable(code)) return RestoreStartupEntry(title, command, key, code);
  if (MachineJobDirectAllowed() && RestoreStartupEntry(title, command, key, code)) return 1;
  if (MachineJobHandOver(MachineJobStartupRestore(title, command, key, code)) != kMachineJobDone)
    return 0;
  SnapshotMarkKnown(command ? command : "", code);
  return 1;
}
