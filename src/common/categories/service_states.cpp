#include "categories/service_states.h"

#include <algorithm>
#include <new>
#include <vector>

#include "categories/service_handle.h"
#include "foundation/strings.h"
#include "resource.h"
#include "text.h"

namespace {

constexpr std::size_t kFirstListingBytes = 64 * 1024;
// States 2 to 7 have their own texts, numbered on from "Stopped".
constexpr DWORD kFirstNamedState = 2;
constexpr DWORD kLastNamedState = 7;

void ServiceStatesKeep(const ENUM_SERVICE_STATUS_PROCESSA& service, void* context) {
  if (service.lpDisplayName == nullptr) return;
  auto& states = *static_cast<ServiceStates*>(context);
  states.byDisplayName[UpperText(service.lpDisplayName)] =
      ServiceStatesPacked(service.ServiceStatusProcess);
}

}  // namespace

bool ServiceStatesEach(ServiceStatesVisitor visit, void* context) {
  ServiceHandle manager(OpenSCManagerA(nullptr, nullptr, GENERIC_READ));
  if (!manager) return false;
  try {
    std::vector<BYTE> buffer(kFirstListingBytes);
    DWORD resume = 0;
    for (;;) {
      DWORD needed = 0, count = 0;
      const BOOL done = EnumServicesStatusExA(
          manager.get(), SC_ENUM_PROCESS_INFO, SERVICE_WIN32 | SERVICE_DRIVER, SERVICE_STATE_ALL,
          buffer.data(), static_cast<DWORD>(buffer.size()), &needed, &count, &resume, nullptr);
      if (!done && GetLastError() != ERROR_MORE_DATA) return false;
      const auto* entries = reinterpret_cast<const ENUM_SERVICE_STATUS_PROCESSA*>(buffer.data());
      for (DWORD i = 0; i < count; ++i)
        if (entries[i].lpServiceName) visit(entries[i], context);
      if (done) return true;
      if (count == 0) buffer.resize(std::max<std::size_t>(buffer.size() * 2, needed));
    }
  } catch (const std::bad_alloc&) {
    return false;
  }
}

ServiceStates ServiceStatesRead() {
  ServiceStates states;
  ServiceStatesEach(ServiceStatesKeep, &states);
  return states;
}

// A service stopped, starting or stopping refuses the interrogation that QueryServiceState
// sends, so the page and the info dialog show one text for one service.
DWORD ServiceStatesPacked(const SERVICE_STATUS_PROCESS& status) {
  switch (status.dwCurrentState) {
    case SERVICE_STOPPED:
    case SERVICE_START_PENDING:
    case SERVICE_STOP_PENDING: return 0;
    default: return ((status.dwCurrentState & 0xFFFFu) << 16) | (status.dwServiceType & 0xFFFFu);
  }
}

bool ServiceStatesKnown(const ServiceStates& states, const char* displayName) {
  return displayName != nullptr && displayName[0] != '\0' &&
         states.byDisplayName.count(UpperText(displayName)) != 0;
}

DWORD ServiceStatesFind(const ServiceStates& states, const char* displayName) {
  if (displayName == nullptr || displayName[0] == '\0') return 0;
  const auto found = states.byDisplayName.find(UpperText(displayName));
  return found == states.byDisplayName.end() ? 0 : found->second;
}

DWORD ServiceStatesText(DWORD packed, char* text, int capacity) {
  const DWORD state = packed >> 16;
  int number = IDS_SERVICE_STOPPED;
  if (state >= kFirstNamedState && state <= kLastNamedState)
    number = IDS_SERVICE_STOPPED + static_cast<int>(state - 1);
  if (text != nullptr && capacity > 0 && LocalString(number, text, capacity) == 0) *text = '\0';
  return packed;
}
