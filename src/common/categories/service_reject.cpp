#include "categories/service_reject.h"

#include <windows.h>

#include "categories/machine_job.h"
#include "categories/service_undo.h"
#include "categories/services.h"
#include "records/history.h"

namespace {

inline constexpr int kStartDisabled = 4;

// History action for the run state a rejected service was in.
struct StateActionRow {
  DWORD state;
  int action;
};
constexpr StateActionRow kStateActions[] = {{2, 18}, {3, 19}, {4, 20}};

void ServiceRejectState(const char* displayName, const char* command, int code) {
  const DWORD state = QueryServiceState(displayName) >> 16;
  for (const StateActionRow& row : kStateActions)
    if (row.state == state) HistoryWrite(displayName, command, "", code, row.action);
}

}  // namespace

int ServiceRejectSteps(const char* displayName) {
  if (displayName == nullptr) return 0;
  int steps = 0;
  if (ControlServiceByName(displayName, SERVICE_CONTROL_STOP)) steps |= kServiceRejectStopped;
  if (SetServiceStartType(displayName, kStartDisabled)) steps |= kServiceRejectDisabled;
  return steps;
}

// A standard user's monitor may not stop or re-type a service: what it could not do itself
// is handed to the elevated job, and only the steps that happened get their lines.
int ServiceReject(const char* displayName, const char* command, int code) {
  if (displayName == nullptr) return 0;
  ServiceRejectState(displayName, command, code);
  // Each line the rejection may write gets its own record of the state before it.
  ServiceUndoRecord(displayName, command, code, {kActServiceStop});
  ServiceUndoRecord(displayName, command, code, {kActServiceDisabled});
  int steps = ServiceRejectSteps(displayName);
  if (!(steps & kServiceRejectDisabled)) steps |= MachineJobRun(MachineJobServiceReject(displayName));
  if (steps & kServiceRejectStopped) HistoryWrite(displayName, command, "", code, kActServiceStop);
  if (steps & kServiceRejectDisabled)
    HistoryWrite(displayName, command, "", code, kActServiceDisabled);
  else
    MachineJobTellFailure(MachineJobServiceReject(displayName), displayName);
  return steps;
}
