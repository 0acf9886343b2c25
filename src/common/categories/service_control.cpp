#include <cstring>

#include "categories/service_handle.h"
#include "categories/service_states.h"
#include "categories/services.h"
#include "text.h"

namespace {

constexpr DWORD kKeyNameChars = 256;

bool KeyNameOf(SC_HANDLE manager, const char* displayName, char* keyName) {
  DWORD length = kKeyNameChars;
  if (!GetServiceKeyNameA(manager, displayName, keyName, &length)) return false;
  keyName[kKeyNameChars - 1] = '\0';
  return true;
}

ServiceHandle OpenByDisplayName(const char* displayName, DWORD access) {
  if (displayName == nullptr || *displayName == '\0') return {};
  ServiceHandle manager(OpenSCManagerA(nullptr, nullptr, GENERIC_READ));
  char keyName[kKeyNameChars] = "";
  if (!manager || !KeyNameOf(manager.get(), displayName, keyName)) return {};
  return ServiceHandle(OpenServiceA(manager.get(), keyName, access));
}

bool Interrogate(const char* displayName, SERVICE_STATUS* status) {
  ServiceHandle service = OpenByDisplayName(displayName, GENERIC_READ);
  if (!service) return false;
  std::memset(status, 0, sizeof *status);
  return ControlService(service.get(), SERVICE_CONTROL_INTERROGATE, status) != 0;
}

}  // namespace

bool ServiceKeyName(const char* displayName, char* out, int capacity) {
  if (out == nullptr || capacity <= 0) return false;
  *out = '\0';
  if (displayName == nullptr || *displayName == '\0') return false;
  ServiceHandle manager(OpenSCManagerA(nullptr, nullptr, GENERIC_READ));
  char keyName[kKeyNameChars] = "";
  if (!manager || !KeyNameOf(manager.get(), displayName, keyName)) return false;
  CopyBounded(out, static_cast<std::size_t>(capacity), keyName);
  return true;
}

DWORD QueryServiceState(const char* displayName) {
  SERVICE_STATUS status;
  if (!Interrogate(displayName, &status)) return 0;
  return ((status.dwCurrentState & 0xFFFFu) << 16) | (status.dwServiceType & 0xFFFFu);
}

DWORD QueryServiceControls(const char* displayName) {
  SERVICE_STATUS status;
  return Interrogate(displayName, &status) ? status.dwControlsAccepted : 0;
}

bool ControlServiceByName(const char* displayName, DWORD control) {
  ServiceHandle service = OpenByDisplayName(displayName, SERVICE_ALL_ACCESS);
  if (!service) return false;
  SERVICE_STATUS status;
  return ControlService(service.get(), control, &status) != 0;
}

DWORD ServiceStateText(const char* displayName, char* text, int capacity) {
  return ServiceStatesText(QueryServiceState(displayName), text, capacity);
}

bool ServiceDisplayName(const char* serviceName, char* displayName, int capacity) {
  if (displayName == nullptr || capacity <= 0) return false;
  *displayName = '\0';
  if (serviceName == nullptr || *serviceName == '\0') return false;
  ServiceHandle manager(OpenSCManagerA(nullptr, nullptr, GENERIC_READ));
  if (!manager) return false;
  char name[kServiceDisplayNameSize] = "";
  DWORD length = kServiceDisplayNameSize;
  if (!GetServiceDisplayNameA(manager.get(), serviceName, name, &length)) return false;
  name[kServiceDisplayNameSize - 1] = '\0';
  CopyBounded(displayName, static_cast<std::size_t>(capacity), name);
  return true;
}
