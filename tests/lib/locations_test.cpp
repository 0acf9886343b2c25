#include "startup/locations.h"

#include <string>

#include "foundation/settings.h"
#include "foundation/strings.h"
#include "sandbox.h"

namespace {

std::string Label(const char* title, int code) {
  char text[600] = "stale";
  const int length = LocationLabel(title, code, text, sizeof text);
  EXPECT_EQ(std::string(text).size(), static_cast<std::size_t>(length)) << code;
  return text;
}

using LocationsTest = RegistrySandbox;

}  // namespace

TEST_F(LocationsTest, LabelsCarryTheDisabledMarkerAndCopiesAreBounded) {
  SettingsWriteString(HKEY_LOCAL_MACHINE, kDisabledIndexKey, "Gone", "12");
  char marked[600];
  LocalString(626, marked, sizeof marked);
  const std::string marker = std::string(" * ") + marked + " * ";
  const std::string runOnce = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
  EXPECT_EQ(runOnce, Label("Live", 12));
  EXPECT_EQ(marker + runOnce, Label("Gone", 12));
  EXPECT_EQ("", Label("Live", 6));
  EXPECT_EQ(marker, Label("Gone", 150));
  EXPECT_EQ("WIN.INI     [Run] Section", Label("x", 101));
  EXPECT_EQ("HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows  AppInit_DLLs",
            Label(nullptr, 255));
  EXPECT_EQ("", Label("Gone", 300));
  char small[12];
  EXPECT_EQ(11, LocationLabel("x", 1, small, sizeof small));
  EXPECT_STREQ("HKLM\\Softwa", small);
  char key[300];
  EXPECT_EQ(0, DisabledStoreKey(200, key, sizeof key));
  EXPECT_EQ(9, DisabledStoreKey(1, key, 10));
  EXPECT_STREQ("Software\\", key);
}
