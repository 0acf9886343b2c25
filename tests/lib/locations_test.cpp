#include "startup/locations.h"

#include <string>

#include "foundation/settings.h"
#include "foundation/strings.h"
#include "sandbox.h"

namespace {

std::string Label(const char* title, int code, int* length = nullptr) {
  char text[600] = "stale";
  const int result = LocationLabel(title, code, text, sizeof text);
  if (length) *length = result;
  return text;
}

using LocationsTest = RegistrySandbox;

}  // namespace

// The catalogue is a table; these check the code ranges and where a copy is cut.
TEST_F(LocationsTest, CodeRangesAndBoundedKeys) {
  EXPECT_TRUE(IsRunFamily(1) && IsRunFamily(17) && IsRunFamily(27));
  EXPECT_FALSE(IsRunFamily(8) || IsRunFamily(10) || IsRunFamily(31) || IsRunFamily(100));
  EXPECT_EQ(nullptr, LocationRoot(500));
  EXPECT_STREQ("", LocationKeyPath(100));
  char key[300];
  for (int code : {3, 13, 23}) {
    DisabledStoreKey(code, key, sizeof key);
    EXPECT_STREQ("Software\\Tamsel\\Korvane\\Disabled\\RunOnceEx", key) << code;
  }
  EXPECT_EQ(0, DisabledStoreKey(200, key, sizeof key));
  EXPECT_EQ(9, DisabledStoreKey(1, key, 10));
  EXPECT_STREQ("Software\\", key);
  EXPECT_STREQ("", DisabledStoreSubKey(kDisabledStoreCount));
}

TEST_F(LocationsTest, LabelsCarryTheDisabledMarker) {
  SettingsWriteString(HKEY_LOCAL_MACHINE, kDisabledIndexKey, "Gone", "12");
  char marked[600];
  LocalString(626, marked, sizeof marked);
  const std::string marker = std::string(" * ") + marked + " * ";
  const std::string runOnce = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
  int length = 0;
  EXPECT_EQ(runOnce, Label("Live", 12, &length));
  EXPECT_EQ(static_cast<int>(runOnce.size()), length);
  EXPECT_EQ(marker + runOnce, Label("Gone", 12));
  EXPECT_EQ("", Label("Live", 6, &length));
  EXPECT_EQ(0, length);
  EXPECT_EQ(marker, Label("Gone", 150));
  EXPECT_EQ("WIN.INI     [Run] Section", Label("x", 101));
  EXPECT_EQ("HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows  AppInit_DLLs",
            Label(nullptr, 255));
  EXPECT_EQ("", Label("Gone", 300, &length));
  EXPECT_EQ(0, length);
  char small[12];
  EXPECT_EQ(11, LocationLabel("x", 1, small, sizeof small));
  EXPECT_STREQ("HKLM\\Softwa", small);
}
