// The state of every service from one listing of the service manager reads as the
// interrogation of the single service does, against the real service manager.
#include "categories/service_states.h"

#include <string>

#include "categories/services.h"
#include "sandbox.h"

namespace {

constexpr char kName[] = "KvStatesService";
constexpr char kDisplay[] = "Korvane States Probe";

SC_HANDLE OpenProbe(DWORD access) {
  SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
  if (manager == nullptr) return nullptr;
  SC_HANDLE service = OpenServiceA(manager, kName, access);
  CloseServiceHandle(manager);
  return service;
}

DWORD ProbeState() {
  SC_HANDLE service = OpenProbe(SERVICE_QUERY_STATUS);
  SERVICE_STATUS status = {};
  if (service == nullptr || !QueryServiceStatus(service, &status)) status.dwCurrentState = 0;
  if (service) CloseServiceHandle(service);
  return status.dwCurrentState;
}

bool WaitForState(DWORD state) {
  for (int i = 0; i < 200; ++i) {
    if (ProbeState() == state) return true;
    Sleep(50);
  }
  return false;
}

// The test service, created stopped and deleted (stopped) by the destructor.
struct ProbeService {
  ProbeService() {
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    SC_HANDLE service = CreateServiceA(
        manager, kName, kDisplay, SERVICE_ALL_ACCESS, SERVICE_WIN32_OWN_PROCESS,
        SERVICE_DEMAND_START, SERVICE_ERROR_IGNORE, ProgramFile("kv_test_service.exe").c_str(),
        nullptr, nullptr, nullptr, nullptr, nullptr);
    EXPECT_NE(nullptr, service);
    CloseServiceHandle(service);
    CloseServiceHandle(manager);
  }
  ~ProbeService() {
    if (SC_HANDLE service = OpenProbe(SERVICE_ALL_ACCESS)) {
      SERVICE_STATUS status;
      ControlService(service, SERVICE_CONTROL_STOP, &status);
      WaitForState(SERVICE_STOPPED);
      DeleteService(service);
      CloseServiceHandle(service);
    }
  }
};

std::string Text(DWORD packed) {
  char text[kServiceStateTextSize] = "x";
  EXPECT_EQ(packed, ServiceStatesText(packed, text, sizeof text));
  return text;
}

SERVICE_STATUS_PROCESS StatusOf(DWORD state) {
  SERVICE_STATUS_PROCESS status = {};
  status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
  status.dwCurrentState = state;
  return status;
}

}  // namespace

TEST(ServiceStatesTest, OneListingReadsAsTheInterrogationOfEachService) {
  ProbeService probe;
  ServiceStates states = ServiceStatesRead();
  EXPECT_EQ(0u, ServiceStatesFind(states, kDisplay));
  EXPECT_EQ("Stopped", Text(ServiceStatesFind(states, kDisplay)));
  // Stopped and unknown both pack to 0; only the listing tells them apart.
  EXPECT_TRUE(ServiceStatesKnown(states, "korvane STATES probe"));
  EXPECT_FALSE(ServiceStatesKnown(states, kName));
  EXPECT_FALSE(ServiceStatesKnown(states, nullptr));

  SC_HANDLE service = OpenProbe(SERVICE_START);
  ASSERT_NE(nullptr, service);
  ASSERT_TRUE(StartServiceA(service, 0, nullptr));
  CloseServiceHandle(service);
  ASSERT_TRUE(WaitForState(SERVICE_RUNNING));
  states = ServiceStatesRead();
  const DWORD packed = ServiceStatesFind(states, "KORVANE states probe");
  EXPECT_EQ(static_cast<DWORD>(SERVICE_RUNNING), packed >> 16);
  EXPECT_EQ(static_cast<DWORD>(SERVICE_WIN32_OWN_PROCESS), packed & 0xFFFF);
  char single[kServiceStateTextSize] = "";
  EXPECT_EQ(packed, ServiceStateText(kDisplay, single, sizeof single));
  EXPECT_EQ("Running", Text(packed));
  EXPECT_STREQ("Running", single);
  // Only display names name a service here, as the page's rows do.
  EXPECT_EQ(0u, ServiceStatesFind(states, kName));
  EXPECT_EQ(0u, ServiceStatesFind(states, "Korvane No Such Service"));
  EXPECT_EQ(0u, ServiceStatesFind(states, ""));
  EXPECT_EQ(0u, ServiceStatesFind(states, nullptr));
}

TEST(ServiceStatesTest, StatesThatRefuseAnInterrogationReadAsStopped) {
  for (DWORD state : {SERVICE_STOPPED, SERVICE_START_PENDING, SERVICE_STOP_PENDING})
    EXPECT_EQ(0u, ServiceStatesPacked(StatusOf(state))) << state;
  EXPECT_EQ((static_cast<DWORD>(SERVICE_PAUSED) << 16) | SERVICE_WIN32_OWN_PROCESS,
            ServiceStatesPacked(StatusOf(SERVICE_PAUSED)));
  EXPECT_EQ("Paused", Text(ServiceStatesPacked(StatusOf(SERVICE_PAUSED))));
  EXPECT_EQ("Stopped", Text(0x00090010));  // no text of its own
}
