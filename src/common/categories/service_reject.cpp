#include "categories/service_reject.h"

#include <windows.h>

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

int ServiceReject(const char* displayName, const char* command, int code) {
  if (displayName == nullptr) return 0;
  ServiceRejectState(displayName, command, code);
  int steps = 0;
  if (ControlServiceByName(displayName, SERVICE_CONTROL_STOP)) {
    steps |= kServiceRejectStopped;
    HistoryWrite(displayName, command, "", code, kActServiceStop);
  }
  if (SetServiceStartType(displayName, kStartDisabled)) {
    steps |= kServiceRejectDisabled;
    HistoryWrite(displayName, command, "", code, kActServiceDisabled);
  }
  return steps;
}
