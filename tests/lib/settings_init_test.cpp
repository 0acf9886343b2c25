#include <string>

#include "foundation/settings.h"
#include "foundation/settings_init.h"
#include "sandbox.h"
#include "startup/self_autostart.h"

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

TEST_F(FirstRunTest, ExistingMarkerMeansNoFirstRunAndSystemFilesKeyIsMachineWide) {
  SettingsWriteString(HKEY_CURRENT_USER, kBaseKey, "", "01/02/2008 10:00");
  EXPECT_EQ(0, SettingsFirstRun());
  EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, (std::string(kBaseKey) + "\\Nuts").c_str()));
  EXPECT_FALSE(MonitorAutostartRegistered());
  // The saved copies of the system files go to the data folder, kept inside the sandbox.
  SettingsWriteString(HKEY_CURRENT_USER,
                      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                      "AppData", ScratchFolder().c_str());
  SettingsSystemFilesOnce();
  EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, "Software\\Tamsel\\Korvane\\Sysfiles"));
  EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, "Software\\Tamsel\\Korvane\\Sysfiles"));
}

TEST_F(FirstRunTest, MissingOrContainedVersionRunsNoInitialValues) {
  SettingsWriteString(HKEY_CURRENT_USER, kOptionsKey, "Cleanup", "1");
  SettingsVersionAndCleanup();
  EXPECT_EQ("15.2.2008.0", BaseValue("Version"));
  EXPECT_EQ("1", Option("Cleanup"));  // waits for a start that finds the version in place
  SettingsDeleteValue(HKEY_CURRENT_USER, kOptionsKey, "Cleanup");
  SettingsWriteString(HKEY_CURRENT_USER, kBaseKey, "Version", "Build 15.2.2008.0 final");
  SettingsVersionAndCleanup();
  EXPECT_EQ("Build 15.2.2008.0 final", BaseValue("Version"));
  EXPECT_FALSE(MonitorAutostartRegistered());
}

TEST_F(FirstRunTest, ChangedVersionRunsTheInitialValuesStep) {
  SettingsWriteString(HKEY_CURRENT_USER, kBaseKey, "Version", "14.1.2007.3");
  SettingsVersionAndCleanup();
  EXPECT_EQ("15.2.2008.0", BaseValue("Version"));
  EXPECT_TRUE(MonitorAutostartRegistered());
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kOptionsKey, "Cleanup"));
}

TEST_F(FirstRunTest, CurrentVersionWithCleanupClearsTheRequestOnce) {
  SettingsWriteString(HKEY_CURRENT_USER, kBaseKey, "Version", "15.2.2008.0");
  SettingsWriteString(HKEY_CURRENT_USER, kOptionsKey, "Cleanup", "1");
  SettingsWriteString(HKEY_CURRENT_USER, kOptionsKey, "Update", "0");
  SettingsVersionAndCleanup();
  EXPECT_EQ("0", Option("Cleanup"));
  EXPECT_EQ("1", Option("Update"));
  EXPECT_FALSE(MonitorAutostartRegistered());
  SettingsWriteString(HKEY_CURRENT_USER, kOptionsKey, "Update", "0");
  SettingsVersionAndCleanup();
  EXPECT_EQ("0", Option("Update"));
}

TEST_F(FirstRunTest, SelfAutostartOnThenOffLeavesNoMonitorEntryBehind) {
  ASSERT_EQ(1, SetSelfAutostart(true));
  EXPECT_TRUE(IsSelfAutostart() && MonitorAutostartRegistered());
  EXPECT_EQ(1, SetSelfAutostart(false));
  EXPECT_FALSE(IsSelfAutostart() || MonitorAutostartRegistered());
  EXPECT_EQ(0, SetSelfAutostart(false));
}

}  // namespace
