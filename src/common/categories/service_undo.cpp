#include "categories/service_undo.h"

#include <windows.h>

#include "categories/service_handle.h"
#include "categories/service_start_change.h"
#include "categories/services.h"
#include "records/history.h"
#include "records/undo_store.h"
#include "undo_text.h"

namespace {

constexpr int kAutomaticStart = 2;
constexpr int kDisabledStart = 4;

bool ServiceUndoRunning(const char* displayName) {
  return (QueryServiceState(displayName) >> 16) == SERVICE_RUNNING;
}

bool ServiceUndoStart(const char* displayName) {
  char keyName[256] = "";
  if (!ServiceKeyName(displayName, keyName, sizeof keyName)) return false;
  ServiceHandle manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT));
  if (!manager) return false;
  ServiceHandle service(OpenServiceA(manager.get(), keyName, SERVICE_START));
  if (!service) return false;
  return StartServiceA(service.get(), 0, nullptr) ||
         GetLastError() == ERROR_SERVICE_ALREADY_RUNNING;
}

// The line the taking back writes names the start type it gave back.
int ServiceUndoAction(int start) {
  return start >= kAutomaticStart && start <= kDisabledStart
             ? kActServiceAutomatic + start - kAutomaticStart
             : kActUndoRestore;
}

}  // namespace

std::string ServiceUndoCapture(const char* displayName) {
  const int start = ServiceConfiguredStart(displayName);
  if (start < 0) return std::string();
  return UndoFieldsText(
      {displayName, std::to_string(start), ServiceUndoRunning(displayName) ? "1" : "0"});
}

bool ServiceUndoRecord(const char* displayName, const char* command, int code,
                       const std::vector<int>& actions) {
  if (displayName == nullptr) return false;
  UndoLineKey key;
  key.actions = actions;
  key.undoAction = ServiceUndoAction(ServiceConfiguredStart(displayName));
  key.typeCode = code;
  key.title = displayName;
  key.command = command ? command : "";
  return UndoStoreKeep(key, {{kUndoPartService, ServiceUndoCapture(displayName)}});
}

bool ServiceUndoPutBack(const std::string& part) {
  const auto fields = UndoParseFields(part);
  if (!fields || fields->size() != 3) return false;
  const char* name = (*fields)[0].c_str();
  const int start = UndoFieldNumber((*fields)[1]);
  if (start < 0 || start > kDisabledStart ||
      !SetServiceStartType(name, start))
    return false;
  const bool ran = (*fields)[2] == "1";
  if (ran == ServiceUndoRunning(name)) return true;
  return ran ? ServiceUndoStart(name) : ControlServiceByName(name, SERVICE_CONTROL_STOP);
}

std::string ServiceUndoRecapture(const std::string& part) {
  const auto fields = UndoParseFields(part);
  if (!fields || fields->size() != 3) return std::string();
  return ServiceUndoCapture((*fields)[0].c_str());
}
