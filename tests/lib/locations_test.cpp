#include "startup/locations.h"

#include <string>

#include "foundation/settings.h"
#include "foundation/strings.h"
#include "sandbox.h"

namespace {

class LocationsTest : public RegistrySandbox {
 protected:
  static std::string StoreKey(int code) {
    char key[300] = "stale";
    DisabledStoreKey(code, key, sizeof key);
    return key;
  }
  static std::string Label(const char* title, int code, int* length = nullptr) {
    char text[600] = "stale";
    const int result = LocationLabel(title, code, text, sizeof text);
    if (length) *length = result;
    return text;
  }
  static std::string Marker() {
    char text[600] = "";
    LocalString(626, text, sizeof text);
    return std::string(" * ") + text + " * ";
  }
};

}  // namespace

TEST_F(LocationsTest, CodesKeysAndDisabledStores) {
  EXPECT_TRUE(IsRunFamily(1) && IsRunFamily(17) && IsRunFamily(27));
  EXPECT_FALSE(IsRunFamily(8) || IsRunFamily(10) || IsRunFamily(31) || IsRunFamily(100));
  EXPECT_EQ(HKEY_CURRENT_USER, LocationRoot(12));
  EXPECT_EQ(HKEY_LOCAL_MACHINE, LocationRoot(23));
  EXPECT_EQ(HKEY_LOCAL_MACHINE, LocationRoot(255));
  EXPECT_EQ(nullptr, LocationRoot(500));
  EXPECT_STREQ("Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\RunOnceEx",
               LocationKeyPath(23));
  EXPECT_STREQ("Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce\\Setup", LocationKeyPath(16));
  EXPECT_STREQ("", LocationKeyPath(100));

  for (int code : {3, 13, 23})
    EXPECT_EQ("Software\\Tamsel\\Korvane\\Disabled\\RunOnceEx", StoreKey(code));
  EXPECT_EQ("Software\\Tamsel\\Korvane\\Disabled\\RunSetup", StoreKey(6));
  EXPECT_EQ("Software\\Tamsel\\Korvane\\Disabled\\Policy", StoreKey(27));
  EXPECT_EQ("Software\\Tamsel\\Korvane\\Disabled\\WinLoad", StoreKey(100));
  EXPECT_EQ("Software\\Tamsel\\Korvane\\Disabled\\WinRun", StoreKey(101));
  EXPECT_EQ("Software\\Tamsel\\Korvane\\Disabled\\WinNotify", StoreKey(256));
  EXPECT_EQ("", StoreKey(200));
  EXPECT_EQ("", StoreKey(250));
  char small[10];
  DisabledStoreKey(1, small, sizeof small);
  EXPECT_STREQ("Software\\", small);
  EXPECT_STREQ("RunOnce\\Setup", DisabledStoreSubKey(9));
  EXPECT_STREQ("", DisabledStoreSubKey(kDisabledStoreCount));
}

TEST_F(LocationsTest, ShortNames) {
  EXPECT_STREQ("HKLM_RUNONCESETUP", ShortLocationName(6));
  EXPECT_STREQ("HKCU_POLICY", ShortLocationName(17));
  EXPECT_STREQ("x64_RUNONCEEX", ShortLocationName(23));
  EXPECT_STREQ("RUN_POLICY", ShortLocationName(31));
  EXPECT_STREQ("WIN.INI_LOAD", ShortLocationName(100));
  EXPECT_STREQ("NOTIFY", ShortLocationName(256));
  EXPECT_STREQ("", ShortLocationName(8));
  EXPECT_STREQ("", ShortLocationName(900));
}

TEST_F(LocationsTest, LabelsCarryTheDisabledMarker) {
  SettingsWriteString(HKEY_LOCAL_MACHINE, kDisabledIndexKey, "Gone", "12");
  const std::string runOnce = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
  int length = 0;
  EXPECT_EQ(runOnce, Label("Live", 12, &length));
  EXPECT_EQ(static_cast<int>(runOnce.size()), length);
  EXPECT_EQ(Marker() + runOnce, Label("Gone", 12));
  EXPECT_EQ("", Label("Live", 6, &length));
  EXPECT_EQ(0, length);
  EXPECT_EQ(Marker(), Label("Gone", 6));
  EXPECT_EQ("HKLM\\Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\RunServices",
            Label("x", 24));
  EXPECT_EQ("WIN.INI     [Run] Section", Label("x", 101));
  EXPECT_EQ("HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows  AppInit_DLLs",
            Label(nullptr, 255));
  EXPECT_EQ(Marker(), Label("Gone", 150));
  EXPECT_EQ("", Label("Gone", 300, &length));
  EXPECT_EQ(0, length);
  Label("x", 900, &length);
  EXPECT_EQ(0, length);

  char small[12];
  EXPECT_EQ(11, LocationLabel("x", 1, small, sizeof small));
  EXPECT_STREQ("HKLM\\Softwa", small);
}
