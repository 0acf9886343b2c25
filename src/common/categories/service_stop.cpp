#include "categories/service_stop.h"

#include <windows.h>

#include "categories/service_undo.h"
#include "categories/services.h"
#include "records/history.h"

bool StopServiceRecorded(const char* displayName, const char* command, int code) {
  if (displayName == nullptr) return false;
  ServiceUndoRecord(displayName, command, code, {kActServiceStop});
  if (!ControlServiceByName(displayName, SERVICE_CONTROL_STOP)) return false;
  HistoryWrite(displayName, command ? command : "", "", code, kActServiceStop);
  return true;
}
