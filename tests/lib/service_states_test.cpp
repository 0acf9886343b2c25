#include "categories/service_states.h"

#include <windows.h>
#include <gtest/gtest.h>

namespace {

constexpr char kName[] = "KvStatesService";
constexpr char kDisplay[] = "Korvane States Service";

// A service the real service manager knows, stopped throughout.
class ServiceStatesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    ASSERT_NE(nullptr, manager);
    SC_HANDLE service = CreateServiceA(
        manager, kName, kDisplay, SERVICE_ALL_ACCESS, SERVICE_WIN32_OWN_PROCESS,
        SERVICE_DEMAND_START, SERVICE_ERROR_IGNORE, "C:\\windows\\system32\\notepad.exe", nullptr,
        nullptr, nullptr, nullptr, nullptr);
    EXPECT_NE(nullptr, service);
    CloseServiceHandle(service);
    CloseServiceHandle(manager);
  }
  void TearDown() override {
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    SC_HANDLE service = OpenServiceA(manager, kName, DELETE);
    if (service) DeleteService(service);
    CloseServiceHandle(service);
    CloseServiceHandle(manager);
  }
};

}  // namespace

TEST_F(ServiceStatesTest, EveryServiceOnceByDisplayNameInAnyCase) {
  const ServiceStateMap states = ReadServiceStates();
  ASSERT_EQ(1u, states.count("KORVANE STATES SERVICE"));
  EXPECT_EQ(static_cast<DWORD>(SERVICE_STOPPED), states.at("KORVANE STATES SERVICE"));
  EXPECT_EQ("Stopped", ServiceStateTextIn(states, kDisplay));
  EXPECT_EQ("Stopped", ServiceStateTextIn(states, "korvane states service"));
  // The key name is not the display name; a service the manager does not know has no text.
  EXPECT_EQ("", ServiceStateTextIn(states, kName));
  EXPECT_EQ("", ServiceStateTextIn(states, nullptr));
  // Wine's own services run.
  bool running = false;
  for (const auto& [name, state] : states) running = running || state == SERVICE_RUNNING;
  EXPECT_TRUE(running);
}
