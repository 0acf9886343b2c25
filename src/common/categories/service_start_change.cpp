#include "categories/service_start_change.h"

#include <windows.h>

#include <string>

#include "categories/service_undo.h"
#include "categories/services.h"
#include "foundation/handles.h"
#include "records/history.h"

namespace {

constexpr int kFirstFromAction = 17;  // SERVICE_from_Automatic, then Manual and Disabled
constexpr int kAutomaticStart = 2;
constexpr int kDisabledStart = 4;
constexpr int kChoiceCount = 3;

}  // namespace

int ServiceConfiguredStart(const char* displayName) {
  char name[256] = "";
  if (displayName == nullptr || !ServiceKeyName(displayName, name, sizeof name)) return -1;
  RegKey key;
  if (!key.Open(HKEY_LOCAL_MACHINE, (std::string(kServicesRegistryKey) + "\\" + name).c_str(),
                KEY_READ))
    return -1;
  DWORD start = 0, type = 0, size = sizeof start;
  if (RegQueryValueExA(key.get(), "Start", nullptr, &type, reinterpret_cast<BYTE*>(&start),
                       &size) != ERROR_SUCCESS ||
      type != REG_DWORD)
    return -1;
  return static_cast<int>(start);
}

bool ChangeServiceStartType(const char* displayName, const char* command, int code, int choice) {
  if (displayName == nullptr || choice < 0 || choice >= kChoiceCount) return false;
  const int start = ServiceConfiguredStart(displayName);
  const char* program = command ? command : "";
  ServiceUndoRecord(displayName, program, code, {kActServiceAutomatic + choice});
  if (!SetServiceStartType(displayName, kAutomaticStart + choice)) return false;
  if (start >= kAutomaticStart && start <= kDisabledStart)
    HistoryWrite(displayName, program, "", code, kFirstFromAction + start - kAutomaticStart);
  HistoryWrite(displayName, program, "", code, kActServiceAutomatic + choice);
  return true;
}
