#include "categories/services.h"

#include <chrono>
#include <cstdio>
#include <string>

#include "foundation/filefacts.h"
#include "foundation/settings.h"
#include "sandbox.h"
#include "startup/item_list.h"

namespace {

std::string ExeFolder() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string full(path);
  return full.substr(0, full.rfind('\\'));
}

std::string ServiceKey(const char* name) {
  return std::string(kServicesRegistryKey) + "\\" + name;
}

void SetRaw(HKEY root, const std::string& subkey, const char* value, DWORD type,
            const void* data, DWORD size) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(root, subkey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(key, value, 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(key);
}

void SetText(HKEY root, const std::string& subkey, const char* value, const std::string& text,
             DWORD type = REG_SZ) {
  SetRaw(root, subkey, value, type, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

void SetNumber(HKEY root, const std::string& subkey, const char* value, DWORD number) {
  SetRaw(root, subkey, value, REG_DWORD, &number, sizeof number);
}

DWORD ReadNumber(HKEY root, const std::string& subkey, const char* value) {
  DWORD number = 0xFFFFFFFFu;
  DWORD size = sizeof number;
  RegGetValueA(root, subkey.c_str(), value, RRF_RT_REG_DWORD, nullptr, &number, &size);
  return number;
}

// Index of the item with this title, or -1.
int FindItem(const char* title) {
  for (int i = 0; i < ItemCount(); ++i) {
    char t[kItemTitleSize];
    ItemTitle(i, t);
    if (std::string(t) == title) return i;
  }
  return -1;
}

std::string Command(int index) {
  char c[kItemCommandSize];
  ItemCommand(index, c);
  return c;
}

std::string Key(int index) {
  char k[kItemKeySize];
  ItemKey(index, k);
  return k;
}

// Fake services in the sandboxed machine key; the real service manager knows none of them,
// so titles come from DisplayName.
class ServicesRegistryTest : public RegistrySandbox {
 protected:
  void SetUp() override {
    RegistrySandbox::SetUp();
    OptionSet("HideMicrosoftServices", 0);
  }
  void TearDown() override {
    ItemListClear();
    RegistrySandbox::TearDown();
  }
  void Add(const char* name, const std::string& image, const char* display, DWORD start = 3) {
    if (!image.empty())
      SetText(HKEY_LOCAL_MACHINE, ServiceKey(name), "ImagePath", image, REG_EXPAND_SZ);
    SetText(HKEY_LOCAL_MACHINE, ServiceKey(name), "DisplayName", display);
    SetNumber(HKEY_LOCAL_MACHINE, ServiceKey(name), "Start", start);
  }
  const std::string sample_ = ExeFolder() + "\\kv_versioned_sample.exe";
};

TEST_F(ServicesRegistryTest, QuickListsEveryImageFullOnlyProgramsWithStartTypes) {
  Add("KvAuto", "\"" + sample_ + "\" -service", "Auto Display", 2);
  Add("KvManual", sample_, "Manual Display", 3);
  Add("KvDisabled", sample_, "Disabled Display", 4);
  Add("KvBoot", sample_, "Boot Display", 0);
  Add("KvSystem", sample_, "System Display", 1);
  Add("KvDriver", "system32\\drivers\\kvdrv.sys", "Driver Display", 1);
  Add("KvNoImage", "", "No Image Display", 2);
  SetText(HKEY_LOCAL_MACHINE, ServiceKey("KvManual"), "Start", "2");  // wrong type

  EnumerateServices(1);
  EXPECT_EQ(ItemCount(), 6);
  EXPECT_GE(FindItem("KvDriver"), 0);
  EXPECT_EQ(FindItem("KvNoImage"), -1);
  EXPECT_EQ(Command(FindItem("KvAuto")), "");

  EnumerateServices(0);
  EXPECT_EQ(ItemCount(), 5);
  EXPECT_EQ(FindItem("Driver Display"), -1);
  EXPECT_EQ(Key(FindItem("Auto Display")), "Automatic");
  EXPECT_EQ(Key(FindItem("Manual Display")), "0");
  EXPECT_EQ(Key(FindItem("Disabled Display")), "Disabled");
  EXPECT_EQ(Key(FindItem("Boot Display")), "0");
  EXPECT_EQ(Key(FindItem("System Display")), "0");
  EXPECT_EQ(ItemCode(FindItem("Auto Display")), kServiceExeCode);
  EXPECT_EQ(Command(FindItem("Auto Display")), sample_ + " -service");  // quotes dropped

  char text[8];
  ServiceStartTypeText(3, text, sizeof text);
  EXPECT_STREQ(text, "Manual");
}

TEST_F(ServicesRegistryTest, SvchostServicesTakeTheirDllWhenSet) {
  Add("KvHosted", "%SystemRoot%\\system32\\svchost.exe -k kvgroup", "Hosted");
  SetText(HKEY_LOCAL_MACHINE, ServiceKey("KvHosted") + "\\Parameters", "ServiceDll",
          "%SystemRoot%\\system32\\kvhosted.dll", REG_EXPAND_SZ);
  Add("KvBare", "%SystemRoot%\\system32\\svchost.exe -k kvgroup", "Bare");
  SetText(HKEY_LOCAL_MACHINE, ServiceKey("KvBare") + "\\Parameters", "ServiceDll", "");

  EnumerateServices(0);
  char root[MAX_PATH];
  GetEnvironmentVariableA("SystemRoot", root, MAX_PATH);
  ASSERT_GE(FindItem("Hosted"), 0);
  EXPECT_EQ(Command(FindItem("Hosted")), std::string(root) + "\\system32\\kvhosted.dll");
  EXPECT_EQ(ItemCode(FindItem("Hosted")), kServiceSvchostCode);
  ASSERT_GE(FindItem("Bare"), 0);
  EXPECT_EQ(Command(FindItem("Bare")), std::string(root) + "\\system32\\svchost.exe -k kvgroup");
  EXPECT_EQ(ItemCode(FindItem("Bare")), kServiceSvchostCode);
}

TEST_F(ServicesRegistryTest, HostileValuesAreBoundedAndSkipped) {
  Add("KvLong", "C:\\kv.exe " + std::string(4096, 'a'), std::string(65536, 'D').c_str());
  SetText(HKEY_LOCAL_MACHINE, ServiceKey("KvLong"), "Description", std::string(9000, 'x'));
  Add("KvNoExtension", "C:\\kv\\program", "No Extension");
  const char unterminated[] = {'C', ':', '\\', 'k', '.', 'e', 'x', 'e'};
  SetRaw(HKEY_LOCAL_MACHINE, ServiceKey("KvBinary"), "ImagePath", REG_BINARY, unterminated,
         sizeof unterminated);
  SetRaw(HKEY_LOCAL_MACHINE, ServiceKey("KvUnterminated"), "ImagePath", REG_SZ, unterminated,
         sizeof unterminated);
  SetNumber(HKEY_LOCAL_MACHINE, ServiceKey("KvUnterminated"), "DisplayName", 7);

  EnumerateServices(0);
  ASSERT_EQ(ItemCount(), 2);  // the long one and the unterminated one
  int longOne = FindItem(std::string(127, 'D').c_str());
  ASSERT_GE(longOne, 0);
  EXPECT_EQ(Command(longOne).size(), 259u);
  char extra[kItemExtraSize];
  EXPECT_EQ(ItemExtra(longOne, extra, sizeof extra), 1023);
  int unterminatedOne = FindItem("k");  // the list names it after its program
  ASSERT_GE(unterminatedOne, 0);
  EXPECT_EQ(Command(unterminatedOne), "C:\\k.exe");
}

TEST_F(ServicesRegistryTest, MicrosoftProgramsAreHiddenOnRequest) {
  std::string microsoftFile;
  for (const char* candidate : {"notepad.exe", "kernel32.dll", "services.exe", "version.dll"}) {
    const std::string path = std::string("C:\\windows\\system32\\") + candidate;
    VersionStrings facts;
    if (ReadVersionStrings(path.c_str(), &facts) &&
        std::string(facts.text[kCompanyName]).find("Microsoft") != std::string::npos) {
      microsoftFile = path;
      break;
    }
  }
  if (microsoftFile.empty()) GTEST_SKIP() << "no system file names Microsoft as its company";
  // Hosted, so that a DLL may serve as well as a program.
  Add("KvMicrosoft", "C:\\windows\\system32\\svchost.exe -k kv", "Microsoft Service");
  SetText(HKEY_LOCAL_MACHINE, ServiceKey("KvMicrosoft") + "\\Parameters", "ServiceDll",
          microsoftFile);
  Add("KvSample", sample_, "Sample Service");
  OptionSet("HideMicrosoftServices", 1);
  EnumerateServices(0);
  EXPECT_EQ(FindItem("Microsoft Service"), -1);
  EXPECT_GE(FindItem("Sample Service"), 0);
  OptionSet("HideMicrosoftServices", 0);
  EnumerateServices(0);
  EXPECT_GE(FindItem("Microsoft Service"), 0);
}

TEST_F(ServicesRegistryTest, StartTypeAndDescriptionFoundByRegistryNames) {
  Add("KvNoImage", "", "Target");
  Add("KvTarget", sample_ + " -run", "Target");
  SetText(HKEY_LOCAL_MACHINE, ServiceKey("KvTarget"), "Description", "Sample description");
  EXPECT_TRUE(SetServiceStartType("TARGET", 0x104));
  EXPECT_EQ(ReadNumber(HKEY_LOCAL_MACHINE, ServiceKey("KvTarget"), "Start"), 4u);
  EXPECT_EQ(ReadNumber(HKEY_LOCAL_MACHINE, ServiceKey("KvNoImage"), "Start"), 3u);
  EXPECT_FALSE(SetServiceStartType("Nobody", 4));

  char description[16];
  EXPECT_EQ(FindServiceDescription(sample_.c_str(), description, sizeof description), 15);
  EXPECT_STREQ(description, "Sample descript");
  EXPECT_EQ(FindServiceDescription("C:\\nowhere.exe", description, sizeof description), 0);
  EXPECT_STREQ(description, "");
}

TEST_F(ServicesRegistryTest, SnapshotIsFilledOnceWithMarker) {
  Add("KvFirst", sample_, "First");
  SetText(HKEY_CURRENT_USER, kServicesSnapshotKey, "", "stale");
  SetText(HKEY_CURRENT_USER, kServicesSnapshotKey, "Gone", "700");
  BuildServicesSnapshot();
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kServicesSnapshotKey, ""), "P");
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kServicesSnapshotKey, "First"), "700");
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kServicesSnapshotKey, "Gone"));

  Add("KvSecond", sample_, "Second");
  BuildServicesSnapshot();
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kServicesSnapshotKey, "Second"));
}

// A real service in the service manager, stopped throughout.
class ServicesManagerTest : public ::testing::Test {
 protected:
  static constexpr char kName[] = "KvTestService";
  static constexpr char kDisplay[] = "Korvane Test Service Display";
  void SetUp() override {
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    ASSERT_NE(manager, nullptr);
    SC_HANDLE service = CreateServiceA(manager, kName, kDisplay, SERVICE_ALL_ACCESS,
                                       SERVICE_WIN32_OWN_PROCESS, SERVICE_DEMAND_START,
                                       SERVICE_ERROR_IGNORE,
                                       "C:\\windows\\system32\\notepad.exe", nullptr, nullptr,
                                       nullptr, nullptr, nullptr);
    if (service == nullptr) service = OpenServiceA(manager, kName, SERVICE_ALL_ACCESS);
    ASSERT_NE(service, nullptr);
    CloseServiceHandle(service);
    CloseServiceHandle(manager);
  }
  void TearDown() override {
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    SC_HANDLE service = OpenServiceA(manager, kName, DELETE);
    if (service) DeleteService(service);
    CloseServiceHandle(service);
    CloseServiceHandle(manager);
    ItemListClear();
  }
};

TEST_F(ServicesManagerTest, StoppedServiceAnswersNothing) {
  EXPECT_EQ(QueryServiceState(kDisplay), 0u);
  EXPECT_EQ(QueryServiceControls(kDisplay), 0u);
  EXPECT_FALSE(ControlServiceByName(kDisplay, SERVICE_CONTROL_STOP));
  char text[kServiceStateTextSize] = "x";
  EXPECT_EQ(ServiceStateText(kDisplay, text, sizeof text), 0u);
  EXPECT_STREQ(text, "Stopped");
  EXPECT_EQ(QueryServiceState(kName), 0u);  // a key name is not a display name
  EXPECT_EQ(ServiceStateText("", text, sizeof text), 0u);
  EXPECT_FALSE(ControlServiceByName(nullptr, SERVICE_CONTROL_STOP));
}

TEST_F(ServicesManagerTest, DisplayNameTranslatesBounded) {
  char display[kServiceDisplayNameSize];
  ASSERT_TRUE(ServiceDisplayName(kName, display, sizeof display));
  EXPECT_STREQ(display, kDisplay);
  char shortOne[8];
  ASSERT_TRUE(ServiceDisplayName(kName, shortOne, sizeof shortOne));
  EXPECT_STREQ(shortOne, "Korvane");
  EXPECT_FALSE(ServiceDisplayName("KvNoSuchService", display, sizeof display));
  EXPECT_STREQ(display, "");
}

TEST_F(ServicesManagerTest, StartTypeWrittenUnderTheRealKey) {
  ASSERT_TRUE(SetServiceStartType(kDisplay, 4));
  EXPECT_EQ(ReadNumber(HKEY_LOCAL_MACHINE, ServiceKey(kName), "Start"), 4u);
}

TEST_F(ServicesManagerTest, FullEnumerationOfTheMachineIsTimed) {
  auto begin = std::chrono::steady_clock::now();
  EnumerateServices(0);
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                std::chrono::steady_clock::now() - begin).count();
  std::printf("EnumerateServices(0): %d items in %lld ms\n", ItemCount(),
              static_cast<long long>(ms));
  int count = ItemCount();
  EnumerateServices(1);
  std::printf("EnumerateServices(1): %d items\n", ItemCount());
  EXPECT_GT(ItemCount(), count);
}

// The sandboxed key carries another DisplayName than the service manager knows.
class ServicesMixedTest : public RegistrySandbox {};

TEST_F(ServicesMixedTest, TitleIsTheManagersDisplayName) {
  SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
  ASSERT_NE(manager, nullptr);
  SC_HANDLE service = CreateServiceA(manager, "KvMixedService", "Manager Display",
                                     SERVICE_ALL_ACCESS, SERVICE_WIN32_OWN_PROCESS,
                                     SERVICE_DEMAND_START, SERVICE_ERROR_IGNORE,
                                     "C:\\windows\\system32\\notepad.exe", nullptr, nullptr,
                                     nullptr, nullptr, nullptr);
  OptionSet("HideMicrosoftServices", 0);
  SetText(HKEY_LOCAL_MACHINE, ServiceKey("KvMixedService"), "ImagePath", "C:\\kv\\svc.exe");
  SetText(HKEY_LOCAL_MACHINE, ServiceKey("KvMixedService"), "DisplayName", "Registry Display");
  EnumerateServices(0);
  EXPECT_GE(FindItem("Manager Display"), 0);
  EXPECT_EQ(FindItem("Registry Display"), -1);
  EXPECT_FALSE(SetServiceStartType("Manager Display", 4));
  if (service) DeleteService(service);
  CloseServiceHandle(service);
  CloseServiceHandle(manager);
  ItemListClear();
}

}  // namespace
