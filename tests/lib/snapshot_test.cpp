#include "startup/snapshot.h"

#include <string>

#include "foundation/settings.h"
#include "sandbox.h"
#include "startup/locations.h"

namespace {

constexpr char kUserRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class SnapshotTest : public RegistrySandbox {
 protected:
  static void Known(const char* name, const char* data) {
    ASSERT_TRUE(SettingsWriteString(HKEY_CURRENT_USER, kKnownStartupKey, name, data));
  }
};

}  // namespace

TEST_F(SnapshotTest, LookupTakesTheCommandThenTheTitle) {
  EXPECT_EQ(kSnapshotMissing, SnapshotLookup("Tool", "C:\\T\\tool.exe"));
  Known("C:\\T\\tool.exe /a:1", "11");
  EXPECT_EQ(11, SnapshotLookup("Tool", "C:\\T\\tool.exe /a=1"));
  // Known by title only, and a command value of "0" falls through to the title.
  Known("Titled", "5");
  EXPECT_EQ(5, SnapshotLookup("Titled", "C:\\T\\other.exe"));
  Known("C:\\T\\zero.exe", "0");
  EXPECT_EQ(5, SnapshotLookup("Titled", "C:\\T\\zero.exe"));
  EXPECT_EQ(0, SnapshotLookup("Untitled", "C:\\T\\zero.exe"));
  Known("ZeroTitle", "0");
  EXPECT_EQ(0, SnapshotLookup("ZeroTitle", "C:\\T\\none.exe"));
  Known("C:\\T\\late.exe", "1103");
  EXPECT_EQ(kDelayedMarker, SnapshotLookup("Late", "C:\\T\\late.exe"));
  Known("C:\\T\\text.exe", "not a number");
  EXPECT_EQ(0, SnapshotLookup("Text", "C:\\T\\text.exe"));
  Known("C:\\T\\long.exe", std::string(40, '7').c_str());
  EXPECT_EQ(0, SnapshotLookup("Long", "C:\\T\\long.exe"));
  char name[260];
  EXPECT_EQ(259, SnapshotName(std::string(400, '=').c_str(), name));
  EXPECT_EQ(std::string(259, ':'), name);
}

TEST_F(SnapshotTest, StartupChangedSeesNewAndDelayedEntries) {
  ASSERT_TRUE(SettingsWriteString(HKEY_CURRENT_USER, kUserRunKey, "Tool", "C:\\T\\tool.exe /x=1"));
  EXPECT_EQ(1, StartupChanged());
  ASSERT_TRUE(SnapshotMarkKnown("C:\\T\\tool.exe /x=1", 11));
  EXPECT_EQ(0, StartupChanged());
  Known("C:\\T\\tool.exe /x:1", "1103");
  EXPECT_EQ(1, StartupChanged());
  Known("C:\\T\\tool.exe /x:1", "0");
  Known("Tool", "11");
  EXPECT_EQ(0, StartupChanged());
  SnapshotForget("Tool", "C:\\T\\tool.exe /x=1");
  EXPECT_EQ(1, StartupChanged());
}

TEST_F(SnapshotTest, ResetRebuildsButLeavesAKeyWithSubKeys) {
  ASSERT_TRUE(SettingsWriteString(HKEY_CURRENT_USER, kUserRunKey, "Tool", "C:\\T\\tool.exe"));
  Known("C:\\Gone\\old.exe", "11");
  ASSERT_TRUE(SettingsCreateKey(HKEY_CURRENT_USER, "Software\\Tamsel\\Korvane\\Tasks\\Child"));
  ASSERT_TRUE(SettingsWriteString(HKEY_CURRENT_USER, kTasksKey, "Old task", "800"));

  ResetKnownEntries();
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kKnownStartupKey, "C:\\Gone\\old.exe"));
  EXPECT_EQ("11", ReadRegString(HKEY_CURRENT_USER, kKnownStartupKey, "C:\\T\\tool.exe"));
  EXPECT_EQ("800", ReadRegString(HKEY_CURRENT_USER, kTasksKey, "Old task"));
  EXPECT_TRUE(RegKeyExists(HKEY_CURRENT_USER, "Software\\Tamsel\\Korvane\\IEHelpers"));
  EXPECT_EQ(0, StartupChanged());
}
