#include "startup/delayed_start.h"

#include <string>

#include "categories/active_tasks.h"
#include "foundation/settings.h"
#include "foundation/user_hooks.h"
#include "item_codes.h"
#include "sandbox.h"
#include "text.h"

namespace {

constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kKnownKey[] = "Software\\Tamsel\\Korvane\\Run";
constexpr char kTimeKey[] = "Software\\Tamsel\\Korvane\\Delay\\Time";
constexpr char kTitleKey[] = "Software\\Tamsel\\Korvane\\Delay\\Title";
constexpr char kParametersKey[] = "Software\\Tamsel\\Korvane\\Delay\\Parameters";
constexpr char kAppletKey[] = "Software\\Tamsel\\Korvane\\Delay\\Applet";
constexpr char kOpenAsKey[] = "Software\\Tamsel\\Korvane\\Delay\\OpenAs";

class DelayedStartTest : public RegistrySandbox {
 protected:
  // A per-user record as AddDelayedProgram makes it, with the given delay.
  static void Record(const std::string& program, const char* time) {
    ASSERT_TRUE(AddDelayedProgram(program.c_str(), false));
    SettingsWriteString(HKEY_CURRENT_USER, kTimeKey, program.c_str(), time);
  }
  const std::string sample_ = UpperText(ProgramFile("kv_versioned_sample.exe"));
};

TEST_F(DelayedStartTest, RunAndRundllEntriesAreDelayedAndPutBack) {
  SettingsWriteString(HKEY_CURRENT_USER, kRunKey, "Tool", "C:\\T\\tool.exe -min");
  EXPECT_EQ(DelayStartupEntry("Tool", "C:\\T\\tool.exe -min", kRunKey, 11, 0),
            kDelayDone);
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kDelayKey, "C:\\T\\TOOL.EXE"), "11");
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kTitleKey, "C:\\T\\TOOL.EXE"), "Tool");
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kTimeKey, "C:\\T\\TOOL.EXE"), "30");
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kParametersKey, "C:\\T\\TOOL.EXE"), " -min");
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kRunKey, "Tool"));
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kKnownKey, "C:\\T\\tool.exe -min"), "1103");

  EXPECT_EQ(RestoreDelayed("Tool", "C:\\T\\TOOL.EXE", kRunKey, 11, true), 1);
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kRunKey, "Tool"), "C:\\T\\TOOL.EXE -min");
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kDelayKey, "C:\\T\\TOOL.EXE"));
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kTitleKey, "C:\\T\\TOOL.EXE"));

  SettingsWriteString(HKEY_CURRENT_USER, kRunKey, "Upd", "rundll32.exe C:\\X\\upd.dll,Start");
  ASSERT_EQ(DelayStartupEntry("Upd", "C:\\X\\upd.dll,Start", kRunKey, 11, 1),
            kDelayDone);
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kParametersKey, "C:\\X\\UPD.DLL"), ",Start");
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kAppletKey, "C:\\X\\UPD.DLL"), "RunDLL32.exe");
  EXPECT_EQ(RestoreAllDelayed(), 1);
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kRunKey, "Upd"),
            "RunDLL32.exe C:\\X\\UPD.DLL,Start");
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kAppletKey, "C:\\X\\UPD.DLL"));
}

TEST_F(DelayedStartTest, RefusalsAndCancelledAllUsersEntry) {
  EXPECT_EQ(DelayStartupEntry("Shell", "explorer.exe", "", 251, 0), kDelayRefused);
  EXPECT_EQ(DelayStartupEntry("Me", "C:\\K\\Korvane.EXE -expressboot", kRunKey, 1, 0),
            kDelayRefusedStop);
  SettingsWriteString(HKEY_LOCAL_MACHINE, kRunKey, "Tool", "C:\\T\\tool.exe");
  UserHooks hooks;
  hooks.confirmDelayAllUsers = [](const char*) { return false; };
  UserHooksInstall(hooks);
  EXPECT_EQ(DelayStartupEntry("Tool", "C:\\T\\tool.exe", kRunKey, 1, 0), kDelaySkipped);
  UserHooksInstall({});
  EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, kDelayKey));
  EXPECT_TRUE(RegValueExists(HKEY_LOCAL_MACHINE, kRunKey, "Tool"));
}

// Delaying takes the entry away; a file that is no shortcut could not be made again, so it
// stays where it is and the delay is refused.
TEST_F(DelayedStartTest, AStartupFolderFileThatIsNoShortcutIsNotDelayed) {
  const std::string folder = ScratchFolder() + "\\Startup";
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  SetShellFolder("Startup", folder);
  const std::string batch = WriteScratchFile("Startup\\run.bat", "@echo on");
  const std::string program = WriteScratchFile("Startup\\tool.exe", "MZ");
  EXPECT_EQ(kDelayRefused,
            DelayStartupEntry("run", batch.c_str(), "", kLocationStartupFolder, 0));
  EXPECT_EQ(kDelayRefused, DelayStartupEntry("tool", program.c_str(), program.c_str(),
                                             kLocationStartupFolder, 0));
  EXPECT_TRUE(PathExists(batch));
  EXPECT_TRUE(PathExists(program));
  EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, kDelayKey));
}

TEST_F(DelayedStartTest, SlotsStartOnlyTheirDelayCountRunningProgramsAndSurviveBadRecords) {
  char self[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  // Handled without a start, which would run the whole suite inside itself.
  ASSERT_TRUE(IsProgramRunning(self));
  Record(UpperText(self), "10");
  Record(sample_, "30");
  Record("C:\\T\\QUARTER.EXE", "25");
  Record("C:\\T\\WORDS.EXE", "ten");
  const std::string huge(64 * 1024, '7');
  Record("C:\\T\\HUGE.EXE", huge.c_str());
  SettingsWriteString(HKEY_CURRENT_USER, kTitleKey, "C:\\T\\HUGE.EXE", huge.c_str());
  SettingsWriteString(HKEY_CURRENT_USER, kDelayKey, "C:\\T\\NOTIME.EXE", "11");
  SettingsWriteNumber(HKEY_CURRENT_USER, kDelayKey, "C:\\T\\DWORD.EXE", 11);

  ASSERT_EQ(LoadDelayedList(), 6);
  int versioned = 0;
  for (const ItemRow& row : ReadItems()) {
    EXPECT_TRUE(row.code == 11 && row.value == 1) << row.title;
    // The title and description come from the program's version resource.
    if (row.title != "Versioned Sample") continue;
    ++versioned;
    EXPECT_EQ("Sample program", row.extra);
  }
  EXPECT_EQ(1, versioned);
  EXPECT_EQ(RunDelayedSlot(10), 1);
  EXPECT_EQ(RunDelayedSlot(20), 1);
  EXPECT_EQ(RunDelayedSlot(30), 2);
  for (int seconds = 40; seconds <= 600; seconds += 10) RunDelayedSlot(seconds);
  EXPECT_EQ(RunDelayedSlot(610), 2);
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kTimeKey, "C:\\T\\QUARTER.EXE"), "25");
  EXPECT_EQ(RunDelayedProgram(sample_.c_str(), "-x"), 0);
  EXPECT_NE(RunDelayedProgram("C:\\NOWHERE\\MISSING.EXE", ""), 0);
}

TEST_F(DelayedStartTest, EditStoresMinutesAndTenSecondSteps) {
  DelayedEdit edit;
  EXPECT_EQ(DelayedEditLoad("C:\\T\\NONE.EXE", &edit), 0);
  ASSERT_TRUE(AddDelayedProgram("C:\\T\\TOOL.EXE", true));
  SettingsWriteString(HKEY_CURRENT_USER, kOpenAsKey, "C:\\T\\TOOL.EXE", "7");
  ASSERT_EQ(DelayedEditLoad("C:\\T\\TOOL.EXE", &edit), 1);
  EXPECT_EQ(edit.minutes, 0);
  EXPECT_EQ(edit.tenSeconds, 3);
  EXPECT_EQ(edit.state, 0);
  edit.minutes = 1;
  edit.tenSeconds = 2;
  edit.state = 1;
  ASSERT_TRUE(DelayedEditSave("C:\\T\\TOOL.EXE", edit));
  EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, kTimeKey, "C:\\T\\TOOL.EXE"), "80");
  EXPECT_TRUE(RegValueExists(HKEY_LOCAL_MACHINE, kTitleKey, "C:\\T\\TOOL.EXE"));
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kOpenAsKey, "C:\\T\\TOOL.EXE"), "1");
}

}  // namespace
