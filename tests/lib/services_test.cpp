#include "categories/services.h"

#include "categories/service_reject.h"
#include "categories/services_known.h"
#include "foundation/user_hooks.h"

#include <map>
#include <string>
#include <vector>

#include "foundation/settings.h"
#include "sandbox.h"
#include "startup/item_list.h"

namespace {

std::string ServiceKey(const std::string& name) {
  return std::string(kServicesRegistryKey) + "\\" + name;
}

void SetRaw(const std::string& subkey, const char* value, DWORD type, const std::string& bytes) {
  WriteRegValue(HKEY_LOCAL_MACHINE, subkey, value, type, bytes);
}

void SetText(const std::string& subkey, const char* value, const std::string& text,
             DWORD type = REG_SZ) {
  SetRaw(subkey, value, type, std::string(text.c_str(), text.size() + 1));
}

int StartOf(const char* name) {
  return SettingsReadSmallNumber(HKEY_LOCAL_MACHINE, ServiceKey(name).c_str(), "Start");
}

std::map<std::string, ItemRow> List(int quick) {
  EnumerateServices(quick);
  std::map<std::string, ItemRow> listed;
  for (const ItemRow& row : ReadItems()) listed[row.title] = row;
  return listed;
}

// A service the real service manager knows, stopped throughout; deleted by the destructor.
struct RealService {
  const char* name;
  RealService(const char* serviceName, const char* display) : name(serviceName) {
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    SC_HANDLE service = CreateServiceA(
        manager, name, display, SERVICE_ALL_ACCESS, SERVICE_WIN32_OWN_PROCESS,
        SERVICE_DEMAND_START, SERVICE_ERROR_IGNORE, "C:\\windows\\system32\\notepad.exe",
        nullptr, nullptr, nullptr, nullptr, nullptr);
    EXPECT_NE(nullptr, service);
    CloseServiceHandle(service);
    CloseServiceHandle(manager);
  }
  ~RealService() {
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    SC_HANDLE service = OpenServiceA(manager, name, DELETE);
    if (service) DeleteService(service);
    CloseServiceHandle(service);
    CloseServiceHandle(manager);
    ItemListClear();
  }
};

// Fake services in the sandboxed machine key; the real service manager knows none of them,
// so titles come from DisplayName.
class ServicesRegistryTest : public RegistrySandbox {
 protected:
  void SetUp() override {
    RegistrySandbox::SetUp();
    OptionSet("HideMicrosoftServices", 0);
  }
  static void Add(const char* name, const std::string& image, const char* display,
                  DWORD start = 3) {
    if (!image.empty()) SetText(ServiceKey(name), "ImagePath", image, REG_EXPAND_SZ);
    SetText(ServiceKey(name), "DisplayName", display);
    SettingsWriteNumber(HKEY_LOCAL_MACHINE, ServiceKey(name).c_str(), "Start", start);
  }
  const std::string sample_ = ProgramFile("kv_versioned_sample.exe");
};

}  // namespace

TEST_F(ServicesRegistryTest, QuickListsEveryImageFullOnlyProgramsWithStartTypesAndHostedDlls) {
  const std::string svchost = "%SystemRoot%\\system32\\svchost.exe -k kvgroup";
  Add("KvAuto", "\"" + sample_ + "\" -service", "Auto Display", 2);
  Add("KvManual", sample_, "Manual Display", 3);
  Add("KvDisabled", sample_, "Disabled Display", 4);
  Add("KvBoot", sample_, "Boot Display", 0);
  Add("KvSystem", sample_, "System Display", 1);
  Add("KvDriver", "system32\\drivers\\kvdrv.sys", "Driver Display", 1);
  Add("KvNoImage", "", "No Image Display", 2);
  SetText(ServiceKey("KvManual"), "Start", "2");  // wrong type
  Add("KvHosted", svchost, "Hosted");
  SetText(ServiceKey("KvHosted") + "\\Parameters", "ServiceDll",
          "%SystemRoot%\\system32\\kvhosted.dll", REG_EXPAND_SZ);
  Add("KvBare", svchost, "Bare");
  SetText(ServiceKey("KvBare") + "\\Parameters", "ServiceDll", "");

  auto listed = List(1);
  EXPECT_EQ(8u, listed.size());
  EXPECT_EQ(1u, listed.count("KvDriver"));
  EXPECT_EQ(0u, listed.count("KvNoImage"));
  EXPECT_EQ("", listed["KvAuto"].command);

  listed = List(0);
  EXPECT_EQ(7u, listed.size());
  EXPECT_EQ(0u, listed.count("Driver Display"));
  EXPECT_EQ("Automatic", listed["Auto Display"].key);
  EXPECT_EQ("Disabled", listed["Disabled Display"].key);
  for (const char* other : {"Manual Display", "Boot Display", "System Display"})
    EXPECT_EQ("0", listed[other].key) << other;
  EXPECT_EQ(kServiceExeCode, listed["Auto Display"].code);
  EXPECT_EQ(sample_ + " -service", listed["Auto Display"].command);  // quotes dropped
  char text[MAX_PATH];
  GetEnvironmentVariableA("SystemRoot", text, MAX_PATH);
  EXPECT_EQ(std::string(text) + "\\system32\\kvhosted.dll", listed["Hosted"].command);
  EXPECT_EQ(std::string(text) + "\\system32\\svchost.exe -k kvgroup", listed["Bare"].command);
  EXPECT_EQ(kServiceSvchostCode, listed["Bare"].code);
}

TEST_F(ServicesRegistryTest, HostileValuesAreBoundedAndSkipped) {
  Add("KvLong", "C:\\kv.exe " + std::string(4096, 'a'), std::string(65536, 'D').c_str());
  SetText(ServiceKey("KvLong"), "Description", std::string(9000, 'x'));
  Add("KvNoExtension", "C:\\kv\\program", "No Extension");
  SetRaw(ServiceKey("KvBinary"), "ImagePath", REG_BINARY, "C:\\k.exe");
  SetRaw(ServiceKey("KvUnterminated"), "ImagePath", REG_SZ, "C:\\k.exe");
  SetRaw(ServiceKey("KvUnterminated"), "DisplayName", REG_DWORD, std::string("\7\0\0\0", 4));

  const auto listed = List(0);
  ASSERT_EQ(2, ItemCount());
  ASSERT_EQ(1u, listed.count(std::string(127, 'D')));
  EXPECT_EQ(259u, listed.at(std::string(127, 'D')).command.size());
  EXPECT_EQ(1023u, listed.at(std::string(127, 'D')).extra.size());
  ASSERT_EQ(1u, listed.count("k"));  // named after its program
  EXPECT_EQ("C:\\k.exe", listed.at("k").command);
}

TEST_F(ServicesRegistryTest, MicrosoftProgramsAreHiddenOnRequest) {
  char system[MAX_PATH];
  GetSystemDirectoryA(system, MAX_PATH);
  const std::string microsoftFile = std::string(system) + "\\shell32.dll";
  // Hosted, so that a DLL may serve as well as a program.
  Add("KvMicrosoft", "C:\\windows\\system32\\svchost.exe -k kv", "Microsoft Service");
  SetText(ServiceKey("KvMicrosoft") + "\\Parameters", "ServiceDll", microsoftFile);
  Add("KvSample", sample_, "Sample Service");
  OptionSet("HideMicrosoftServices", 1);
  auto listed = List(0);
  EXPECT_EQ(0u, listed.count("Microsoft Service"));
  EXPECT_EQ(1u, listed.count("Sample Service"));
  OptionSet("HideMicrosoftServices", 0);
  EXPECT_EQ(1u, List(0).count("Microsoft Service"));
}

TEST_F(ServicesRegistryTest, StartTypeAndDescriptionFoundByRegistryNamesAndSnapshotFilledOnce) {
  Add("KvNoImage", "", "Target");
  Add("KvTarget", sample_ + " -run", "Target");
  SetText(ServiceKey("KvTarget"), "Description", "Sample description");
  EXPECT_TRUE(SetServiceStartType("TARGET", 0x104));
  EXPECT_EQ(4, StartOf("KvTarget"));
  EXPECT_EQ(3, StartOf("KvNoImage"));
  EXPECT_FALSE(SetServiceStartType("Nobody", 4));
  char description[16];
  EXPECT_EQ(15, FindServiceDescription(sample_.c_str(), description, sizeof description));
  EXPECT_STREQ("Sample descript", description);
  EXPECT_EQ(0, FindServiceDescription("C:\\nowhere.exe", description, sizeof description));
  EXPECT_STREQ("", description);

  SettingsWriteString(HKEY_CURRENT_USER, kServicesSnapshotKey, "", "stale");
  SettingsWriteString(HKEY_CURRENT_USER, kServicesSnapshotKey, "Gone", "700");
  BuildServicesSnapshot();
  EXPECT_EQ("P", ReadRegString(HKEY_CURRENT_USER, kServicesSnapshotKey, ""));
  EXPECT_EQ("700", ReadRegString(HKEY_CURRENT_USER, kServicesKeyNamesKey, "KvTarget"));
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kServicesSnapshotKey, "Gone"));
  Add("KvSecond", sample_, "Second");
  BuildServicesSnapshot();
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kServicesKeyNamesKey, "KvSecond"));
}

// Known by key name, which no other service can take; the display names an older version
// stored count once, for the service that carries them. Hidden from the service manager or
// running no ".exe", a new service is asked about all the same.
TEST_F(ServicesRegistryTest, NewServicesAreAskedAboutByKeyNameWhateverTheyAreCalled) {
  Add("KvOld", sample_, "Old Display");
  BuildServicesSnapshot();
  EXPECT_TRUE(ServicesToAsk().empty());
  // An older version's snapshot, by display name.
  SettingsDeleteKeyTree(HKEY_CURRENT_USER, kServicesKeyNamesKey);
  SettingsWriteString(HKEY_CURRENT_USER, kServicesSnapshotKey, "Old Display", "700");
  SettingsWriteString(HKEY_CURRENT_USER, kServicesSnapshotKey, "Borrowed Display", "700");
  Add("KvCmd", "cmd /c C:\\kv\\evil.bat", "Cmd Display");
  SettingsWriteNumber(HKEY_LOCAL_MACHINE, ServiceKey("KvCmd").c_str(), "Type", 0x10);
  Add("KvBorrower", sample_, "Borrowed Display");
  Add("KvTwin", sample_, "Borrowed Display");

  std::vector<std::string> asked;
  for (const ServiceToAsk& service : ServicesToAsk()) asked.push_back(service.keyName);
  EXPECT_EQ((std::vector<std::string>{"KvCmd", "KvTwin"}), asked);
  EXPECT_EQ("700", ReadRegString(HKEY_CURRENT_USER, kServicesKeyNamesKey, "KvOld"));
  EXPECT_EQ("700", ReadRegString(HKEY_CURRENT_USER, kServicesKeyNamesKey, "KvBorrower"));
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kServicesSnapshotKey, "Borrowed Display"));
  EXPECT_EQ("cmd /c C:\\kv\\evil.bat", List(0)["Cmd Display"].command);
}

// The pre-test reads only the services key: it passes on an unchanged machine and fails for a
// new service, a changed program, or a service still waiting for its answer.
TEST_F(ServicesRegistryTest, QuickPretestPassesOnlyWhenNothingChanged) {
  Add("KvA", sample_, "A Display");
  Add("KvDriver", "system32\\drivers\\kvdrv.sys", "Driver Display", 1);
  EXPECT_FALSE(ServicesQuickUnchanged()) << "nothing seen yet";
  BuildServicesSnapshot();
  EXPECT_TRUE(ServicesQuickUnchanged());
  Add("KvB", sample_, "B Display");
  EXPECT_FALSE(ServicesQuickUnchanged());
  std::vector<ServiceToAsk> asked = ServicesToAsk();
  ASSERT_EQ(1u, asked.size());
  EXPECT_FALSE(ServicesQuickUnchanged()) << "B is not answered yet";
  ServiceRemember(asked[0]);
  EXPECT_TRUE(ServicesToAsk().empty());
  EXPECT_TRUE(ServicesQuickUnchanged());
  SetText(ServiceKey("KvA"), "ImagePath", "C:\\other.exe", REG_EXPAND_SZ);
  EXPECT_FALSE(ServicesQuickUnchanged());
  EXPECT_TRUE(ServicesToAsk().empty()) << "a known service is not asked about again";
  EXPECT_TRUE(ServicesQuickUnchanged());
  OptionSet("HideMicrosoftServices", 1);
  EXPECT_FALSE(ServicesQuickUnchanged()) << "seen under the other listing";
}

// Against the real service manager and the real machine key.
TEST(ServicesManagerTest, StoppedServiceIsAnsweredByDisplayNameOnly) {
  const char kDisplay[] = "Korvane Test Service Display";
  RealService real("KvTestService", kDisplay);
  // A stopped service does not answer: state 0, shown as "Stopped".
  char text[kServiceStateTextSize] = "x";
  EXPECT_EQ(0u, ServiceStateText(kDisplay, text, sizeof text));
  EXPECT_STREQ("Stopped", text);
  EXPECT_EQ(0u, QueryServiceControls(kDisplay));
  EXPECT_FALSE(ControlServiceByName(kDisplay, SERVICE_CONTROL_STOP));

  char display[kServiceDisplayNameSize], shortOne[8];
  ASSERT_TRUE(ServiceDisplayName(real.name, display, sizeof display));
  EXPECT_STREQ(kDisplay, display);
  ASSERT_TRUE(ServiceDisplayName(real.name, shortOne, sizeof shortOne));
  EXPECT_STREQ("Korvane", shortOne);
  EXPECT_FALSE(ServiceDisplayName("KvNoSuchService", display, sizeof display));
  EXPECT_STREQ("", display);

  ASSERT_TRUE(SetServiceStartType(kDisplay, 4));
  EXPECT_EQ(4, StartOf(real.name));
  EnumerateServices(0);
  const int full = ItemCount();
  EnumerateServices(1);
  EXPECT_GT(ItemCount(), full);
}

// As a standard user meets it: the service's key refuses the new start type.
// The elevated job is refused too, and the user is told once.
TEST_F(ServicesRegistryTest, RejectWritesAndReportsOnlyTheStepsThatHappened) {
  Add("KvTarget", sample_, "Target", 2);
  static std::vector<std::string> told;
  told.clear();
  UserHooks hooks;
  hooks.inform = [](HWND, const char* text) { told.emplace_back(text); };
  UserHooksInstall(hooks);
  SetEnvironmentVariableA("KORVANE_FAULT_MACHINE_ACTIONS", "job");
  ASSERT_TRUE(DenyKeyWrites(HKEY_LOCAL_MACHINE, ServiceKey("KvTarget").c_str(), true));
  EXPECT_EQ(0, ServiceReject("Target", sample_.c_str(), kServiceExeCode));
  ASSERT_TRUE(DenyKeyWrites(HKEY_LOCAL_MACHINE, ServiceKey("KvTarget").c_str(), false));
  SetEnvironmentVariableA("KORVANE_FAULT_MACHINE_ACTIONS", nullptr);
  UserHooksInstall({});
  EXPECT_EQ(2, StartOf("KvTarget"));
  EXPECT_EQ("", HistoryText());
  ASSERT_EQ(1u, told.size());
  EXPECT_NE(std::string::npos, told[0].find("stop and disable the service:\n\nTarget")) << told[0];

  // The service manager knows nothing of it, so nothing was stopped.
  EXPECT_EQ(kServiceRejectDisabled, ServiceReject("Target", sample_.c_str(), kServiceExeCode));
  EXPECT_EQ(4, StartOf("KvTarget"));
  const std::string log = HistoryText();
  EXPECT_NE(std::string::npos, log.find("\tSERVICE_Disabled\t")) << log;
  EXPECT_EQ(std::string::npos, log.find("SERVICE_Stop")) << log;
}

// The sandboxed key carries another DisplayName than the service manager knows.
TEST_F(ServicesRegistryTest, TitleIsTheManagersDisplayName) {
  RealService real("KvMixedService", "Manager Display");
  SetText(ServiceKey(real.name), "ImagePath", "C:\\kv\\svc.exe");
  SetText(ServiceKey(real.name), "DisplayName", "Registry Display");
  const auto listed = List(0);
  EXPECT_EQ(1u, listed.count("Manager Display"));
  EXPECT_EQ(0u, listed.count("Registry Display"));
  EXPECT_FALSE(SetServiceStartType("Manager Display", 4));
}
