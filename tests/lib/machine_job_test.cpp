#include <windows.h>

#include <string>
#include <vector>

#include "categories/machine_job.h"
#include "categories/service_reject.h"
#include "categories/system_files.h"
#include "categories/windows_settings.h"
#include "foundation/paths.h"
#include "foundation/user_hooks.h"
#include "item_codes.h"
#include "machine_job_text.h"
#include "sandbox.h"

namespace {

constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kLiveUpdate[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\WindowsUpdate\\Auto Update";
constexpr char kFault[] = "KORVANE_FAULT_MACHINE_ACTIONS";

std::vector<std::string> g_told;

// What the elevated explorer receives: the job crosses a real command line.
int RunAsJob(const std::string& kind, const std::vector<std::string>& fields) {
  return MachineJobFromCommandLine(
      ("\"C:\\K\\KorvaneEx.exe\" " + MachineJobArguments({kind, fields})).c_str());
}

class MachineJobTest : public RegistrySandbox {
 protected:
  void SetUp() override {
    RegistrySandbox::SetUp();
    g_told.clear();
    UserHooks hooks;
    hooks.inform = [](HWND, const char* text) { g_told.emplace_back(text); };
    UserHooksInstall(hooks);
    // Whatever a test expects of the job, no real explorer is started from the sandbox.
    SetEnvironmentVariableA(kFault, "job");
  }
  void TearDown() override {
    SetEnvironmentVariableA(kFault, nullptr);
    UserHooksInstall({});
    RegistrySandbox::TearDown();
  }
};

TEST_F(MachineJobTest, JobsTakeTheirValuesFromTheCommandLineAndTouchOnlyMachinePlaces) {
  SetEnvironmentVariableA(kFault, nullptr);
  EXPECT_EQ(kMachineJobDone, RunAsJob("update-mode", {"3"}));
  EXPECT_EQ(3u, ReadRegDword(HKEY_LOCAL_MACHINE, kLiveUpdate, "AUOptions"));
  EXPECT_EQ(kMachineJobDone, RunAsJob("PREFIX", {"https://"}));
  char live[kPrefixSize] = "";
  LivePrefix(live, kPrefixSize);
  EXPECT_STREQ("https://", live);

  const std::string title = "Tool \"x\" -Job prefix";
  WriteRegString(HKEY_LOCAL_MACHINE, kRunKey, title.c_str(), "C:\\T\\tool.exe");
  WriteRegString(HKEY_CURRENT_USER, kRunKey, title.c_str(), "C:\\T\\tool.exe");
  EXPECT_EQ(0, RunAsJob("startup-remove", {title, "C:\\T\\tool.exe", "", "11"}))
      << "a per-user entry belongs to the account that consented";
  EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, kRunKey, title.c_str()));
  EXPECT_EQ(kMachineJobDone,
            RunAsJob("startup-remove", {title, "C:\\T\\tool.exe", "", "1"}));
  EXPECT_FALSE(RegValueExists(HKEY_LOCAL_MACHINE, kRunKey, title.c_str()));
  EXPECT_EQ("", HistoryText()) << "the job records nothing; its caller does";

  EXPECT_EQ(0, RunAsJob("startup-remove", {title, "C:\\T\\tool.exe", "1"})) << "a field short";
  EXPECT_EQ(0, RunAsJob("format-disk", {"C:"}));
  EXPECT_EQ(0, MachineJobFromCommandLine("KorvaneEx.exe -Restore"));
}

TEST_F(MachineJobTest, SystemFileJobRestoresOnlyTheRecordedFile) {
  SetEnvironmentVariableA(kFault, nullptr);
  SetShellFolder("AppData", ScratchFolder());
  const std::string hosts = WriteScratchFile("HOSTS", "127.0.0.1 localhost\r\n");
  const std::string other = WriteScratchFile("other.txt", "mine\r\n");
  ASSERT_EQ(1, RegisterSystemFile("HOSTS", hosts.c_str(), "", 0));
  char saved[kPathSize] = "";
  ASSERT_NE(0, SystemFileSavedCopy("HOSTS", saved, kPathSize));
  WriteScratchFile("HOSTS", "10.0.0.5 bank.example\r\n");

  EXPECT_EQ(0, RunAsJob("system-file-restore", {"other.txt", saved}))
      << "the target comes from a watched file's record, never from the command line";
  EXPECT_EQ("mine\r\n", FileText(other));
  EXPECT_EQ(kMachineJobDone, RunAsJob("system-file-restore", {"hosts", saved}));
  EXPECT_EQ("127.0.0.1 localhost\r\n", FileText(hosts));
}

// As a standard user meets it: the direct attempt is refused and so is the job.
TEST_F(MachineJobTest, RefusedJobsDoNothingAndTellTheUserOnce) {
  SetEnvironmentVariableA(kFault, "all");
  WriteRegString(HKEY_LOCAL_MACHINE, kRunKey, "Tool", "C:\\T\\tool.exe");
  EXPECT_EQ(0, MachineJobRun(MachineJobStartupRemove("Tool", "C:\\T\\tool.exe", "", 1)));
  EXPECT_TRUE(RegValueExists(HKEY_LOCAL_MACHINE, kRunKey, "Tool"));
  EXPECT_EQ(0, RunAsJob("update-mode", {"1"}));
  EXPECT_FALSE(RegValueExists(HKEY_LOCAL_MACHINE, kLiveUpdate, "AUOptions"));

  MachineJobTellFailure(MachineJobStartupRemove("Tool", "C:\\T\\tool.exe", "", 1), "Tool");
  ASSERT_EQ(1u, g_told.size());
  EXPECT_NE(std::string::npos, g_told[0].find("could not remove the startup entry")) << g_told[0];
  EXPECT_NE(std::string::npos, g_told[0].find("Tool")) << g_told[0];

  SetEnvironmentVariableA(kFault, "direct");
  EXPECT_FALSE(MachineJobDirectAllowed());
  SetEnvironmentVariableA(kFault, "job");
  EXPECT_TRUE(MachineJobDirectAllowed());
  EXPECT_EQ(0, MachineJobHandOver(MachineJobUpdateMode(1))) << "no explorer is started";
}

}  // namespace
