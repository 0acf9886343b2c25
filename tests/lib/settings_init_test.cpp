#include <string>

#include "foundation/settings.h"
#include "sandbox.h"
#include "setup/settings_init.h"

namespace {

// True when the machine Run key starts the monitor, which only the initial-values step does.
bool MonitorAutostartRegistered() {
  return ReadRegString(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                       "Korvane")
             .find("korvane.exe") != std::string::npos;
}

std::string BaseValue(const char* name) { return ReadRegString(HKEY_CURRENT_USER, kBaseKey, name); }
std::string Option(const char* name) { return ReadRegString(HKEY_CURRENT_USER, kOptionsKey, name); }

using FirstRunTest = RegistrySandbox;

TEST_F(FirstRunTest, FirstRunBuildsTheTreeOnce) {
  ASSERT_EQ(1, SettingsFirstRun());
  for (const char* sub : {"Nuts", "Cookies", "Options", "Run", "IEHelpers", "HostFile", "Tasks"})
    EXPECT_TRUE(RegKeyExists(HKEY_CURRENT_USER, (std::string(kBaseKey) + "\\" + sub).c_str()))
        << sub;
  const std::string marker = BaseValue("");
  EXPECT_NE(std::string::npos, marker.find_first_of("0123456789")) << marker;
  EXPECT_TRUE(MonitorAutostartRegistered());
  EXPECT_EQ(0, SettingsFirstRun());
  EXPECT_EQ(marker, BaseValue(""));
}

TEST_F(FirstRunTest, ExistingMarkerMeansNoFirstRun) {
  SettingsWriteString(HKEY_CURRENT_USER, kBaseKey, "", "01/02/2008 10:00");
  EXPECT_EQ(0, SettingsFirstRun());
  EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, (std::string(kBaseKey) + "\\Nuts").c_str()));
  EXPECT_FALSE(MonitorAutostartRegistered());
}

// One start after another: a missing version is written, Cleanup = 1 resets once at the current
// version, a version holding the current text is left alone, and a changed one starts afresh.
TEST_F(FirstRunTest, VersionAndCleanupResetOnlyWhenDue) {
  SettingsWriteString(HKEY_CURRENT_USER, kOptionsKey, "Cleanup", "1");
  SettingsVersionAndCleanup();
  EXPECT_EQ("15.2.2008.0", BaseValue("Version"));
  EXPECT_EQ("1", Option("Cleanup"));  // waits for a start that finds the version in place
  SettingsWriteString(HKEY_CURRENT_USER, kOptionsKey, "Update", "0");
  SettingsVersionAndCleanup();
  EXPECT_EQ("0", Option("Cleanup"));
  EXPECT_EQ("1", Option("Update"));
  SettingsWriteString(HKEY_CURRENT_USER, kOptionsKey, "Update", "0");
  SettingsVersionAndCleanup();
  EXPECT_EQ("0", Option("Update"));

  SettingsWriteString(HKEY_CURRENT_USER, kBaseKey, "Version", "Build 15.2.2008.0 final");
  SettingsVersionAndCleanup();
  EXPECT_EQ("Build 15.2.2008.0 final", BaseValue("Version"));
  EXPECT_FALSE(MonitorAutostartRegistered());

  SettingsWriteString(HKEY_CURRENT_USER, kBaseKey, "Version", "14.1.2007.3");
  SettingsVersionAndCleanup();
  EXPECT_EQ("15.2.2008.0", BaseValue("Version"));
  EXPECT_TRUE(MonitorAutostartRegistered());
}

}  // namespace
