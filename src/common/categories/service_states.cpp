#include "categories/service_states.h"

#include <vector>

#include "categories/service_handle.h"
#include "categories/services.h"
#include "foundation/strings.h"
#include "text.h"

namespace {

constexpr int kStateTextSize = 256;

// Asks for the records until they fit: the list may grow between the two calls.
bool ServiceStatesRecords(SC_HANDLE manager, std::vector<BYTE>& records, DWORD& count) {
  DWORD needed = 0, resume = 0;
  for (int attempt = 0; attempt < 3; ++attempt) {
    resume = 0;
    count = 0;
    if (EnumServicesStatusExA(manager, SC_ENUM_PROCESS_INFO, SERVICE_WIN32 | SERVICE_DRIVER,
                              SERVICE_STATE_ALL, records.data(), static_cast<DWORD>(records.size()),
                              &needed, &count, &resume, nullptr))
      return true;
    if (GetLastError() != ERROR_MORE_DATA) return false;
    records.resize(records.size() + needed);
  }
  return false;
}

}  // namespace

ServiceStateMap ReadServiceStates() {
  ServiceStateMap states;
  ServiceHandle manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ENUMERATE_SERVICE));
  std::vector<BYTE> records;
  DWORD count = 0;
  if (!manager || !ServiceStatesRecords(manager.get(), records, count)) return states;
  const auto* status = reinterpret_cast<const ENUM_SERVICE_STATUS_PROCESSA*>(records.data());
  for (DWORD i = 0; i < count; ++i)
    if (status[i].lpDisplayName != nullptr)
      states[UpperText(status[i].lpDisplayName)] = status[i].ServiceStatusProcess.dwCurrentState;
  return states;
}

std::string ServiceStateTextIn(const ServiceStateMap& states, const char* displayName) {
  const auto found = states.find(UpperText(displayName ? displayName : ""));
  if (found == states.end()) return {};
  char text[kStateTextSize] = "";
  LocalString(ServiceStateString(found->second), text, sizeof text);
  return text;
}
