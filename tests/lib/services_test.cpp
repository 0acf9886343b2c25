#include "categories/services.h"

#include <map>
#include <string>

#include "foundation/filefacts.h"
#include "foundation/paths.h"
#include "foundation/settings.h"
#include "sandbox.h"
#include "startup/item_list.h"

namespace {

struct Listed {
  std::string command, key;
  int code = 0, index = 0;
};

std::string ServiceKey(const std::string& name) {
  return std::string(kServicesRegistryKey) + "\\" + name;
}

void SetRaw(const std::string& subkey, const char* value, DWORD type, const void* data,
            DWORD size) {
  ASSERT_EQ(ERROR_SUCCESS,
            RegSetKeyValueA(HKEY_LOCAL_MACHINE, subkey.c_str(), value, type, data, size));
}

void SetText(const std::string& subkey, const char* value, const std::string& text,
             DWORD type = REG_SZ) {
  SetRaw(subkey, value, type, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

int StartOf(const char* name) {
  return SettingsReadSmallNumber(HKEY_LOCAL_MACHINE, ServiceKey(name).c_str(), "Start");
}

std::map<std::string, Listed> List(int quick) {
  EnumerateServices(quick);
  std::map<std::string, Listed> listed;
  for (int i = 0; i < ItemCount(); ++i) {
    char title[kItemTitleSize], command[kItemCommandSize], key[kItemKeySize];
    ItemTitle(i, title);
    ItemCommand(i, command);
    ItemKey(i, key);
    listed[title] = {command, key, ItemCode(i), i};
  }
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
    char folder[MAX_PATH] = "";
    ProgramFolder(folder, sizeof folder);
    sample_ = std::string(folder) + "\\kv_versioned_sample.exe";
  }
  void TearDown() override {
    ItemListClear();
    RegistrySandbox::TearDown();
  }
  static void Add(const char* name, const std::string& image, const char* display,
                  DWORD start = 3) {
    if (!image.empty()) SetText(ServiceKey(name), "ImagePath", image, REG_EXPAND_SZ);
    SetText(ServiceKey(name), "DisplayName", display);
    SetRaw(ServiceKey(name), "Start", REG_DWORD, &start, sizeof start);
  }
  std::string sample_;
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
  const char unterminated[] = {'C', ':', '\\', 'k', '.', 'e', 'x', 'e'};
  SetRaw(ServiceKey("KvBinary"), "ImagePath", REG_BINARY, unterminated, sizeof unterminated);
  SetRaw(ServiceKey("KvUnterminated"), "ImagePath", REG_SZ, unterminated, sizeof unterminated);
  const DWORD number = 7;
  SetRaw(ServiceKey("KvUnterminated"), "DisplayName", REG_DWORD, &number, sizeof number);

  const auto listed = List(0);
  ASSERT_EQ(2, ItemCount());
  ASSERT_EQ(1u, listed.count(std::string(127, 'D')));
  const Listed& longOne = listed.at(std::string(127, 'D'));
  EXPECT_EQ(259u, longOne.command.size());
  char extra[kItemExtraSize];
  EXPECT_EQ(1023, ItemExtra(longOne.index, extra, sizeof extra));
  ASSERT_EQ(1u, listed.count("k"));  // named after its program
  EXPECT_EQ("C:\\k.exe", listed.at("k").command);
}

TEST_F(ServicesRegistryTest, MicrosoftProgramsAreHiddenOnRequest) {
  char system[MAX_PATH];
  GetSystemDirectoryA(system, MAX_PATH);
  const std::string microsoftFile = std::string(system) + "\\shell32.dll";
  VersionStrings facts{};
  ASSERT_TRUE(ReadVersionStrings(microsoftFile.c_str(), &facts));
  ASSERT_NE(std::string::npos, std::string(facts.text[kCompanyName]).find("Microsoft"));
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
  EXPECT_EQ("700", ReadRegString(HKEY_CURRENT_USER, kServicesSnapshotKey, "Target"));
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kServicesSnapshotKey, "Gone"));
  Add("KvSecond", sample_, "Second");
  BuildServicesSnapshot();
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kServicesSnapshotKey, "Second"));
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

// The sandboxed key carries another DisplayName than the service manager knows.
class ServicesMixedTest : public RegistrySandbox {};

TEST_F(ServicesMixedTest, TitleIsTheManagersDisplayName) {
  RealService real("KvMixedService", "Manager Display");
  OptionSet("HideMicrosoftServices", 0);
  SetText(ServiceKey(real.name), "ImagePath", "C:\\kv\\svc.exe");
  SetText(ServiceKey(real.name), "DisplayName", "Registry Display");
  const auto listed = List(0);
  EXPECT_EQ(1u, listed.count("Manager Display"));
  EXPECT_EQ(0u, listed.count("Registry Display"));
  EXPECT_FALSE(SetServiceStartType("Manager Display", 4));
}
