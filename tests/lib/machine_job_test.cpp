#include <windows.h>

#include <string>
#include <vector>

#include "categories/file_types.h"
#include "categories/file_types_machine.h"
#include "categories/ie_helpers.h"
#include "categories/machine_job.h"
#include "categories/service_reject.h"
#include "categories/system_files.h"
#include "categories/windows_settings.h"
#include "foundation/account.h"
#include "foundation/paths.h"
#include "item_codes.h"
#include "machine_job_text.h"
#include "records/history.h"
#include "machine_job_sandbox.h"
#include "sandbox.h"

namespace {

constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kLiveUpdate[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\WindowsUpdate\\Auto Update";

class MachineJobTest : public MachineJobSandbox {};

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
  ASSERT_EQ(1u, Told().size());
  EXPECT_NE(std::string::npos, Told()[0].find("could not remove the startup entry")) << Told()[0];
  EXPECT_NE(std::string::npos, Told()[0].find("Tool")) << Told()[0];

  SetEnvironmentVariableA(kFault, "direct");
  EXPECT_FALSE(MachineJobDirectAllowed());
  SetEnvironmentVariableA(kFault, "job");
  EXPECT_TRUE(MachineJobDirectAllowed());
  EXPECT_EQ(0, MachineJobHandOver(MachineJobUpdateMode(1))) << "no explorer is started";
}

TEST_F(MachineJobTest, IEHelperJobRemovesOnlyAnAddOnItFindsUnderHKLM) {
  SetEnvironmentVariableA(kFault, nullptr);
  WriteRegString(HKEY_LOCAL_MACHINE, kToolbarKey, "{T}", "");
  WriteRegString(HKEY_LOCAL_MACHINE, std::string(kBHOKey) + "\\{B}", nullptr, "");
  WriteRegString(HKEY_LOCAL_MACHINE, std::string(kBHOKey) + "\\{B}\\deep", nullptr, "");
  EXPECT_EQ(0, RunAsJob("ie-helper-remove", {"900", "{B}\\deep"})) << "a key names one add-on";
  EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, (std::string(kBHOKey) + "\\{B}\\deep").c_str()));
  EXPECT_EQ(0, RunAsJob("ie-helper-remove", {"900", ""}));
  EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, kBHOKey)) << "an empty name takes no parent";
  EXPECT_EQ(0, RunAsJob("ie-helper-remove", {"800", "{B}"})) << "not an add-on kind";
  EXPECT_EQ(0, RunAsJob("ie-helper-remove", {"901", "{Gone}"})) << "nothing there is no success";

  EXPECT_EQ(kMachineJobDone, RunAsJob("ie-helper-remove", {"901", "{T}"}));
  EXPECT_FALSE(RegValueExists(HKEY_LOCAL_MACHINE, kToolbarKey, "{T}"));
  EXPECT_EQ(kMachineJobDone, RunAsJob("ie-helper-remove", {"900", "{b}"}));
  EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, (std::string(kBHOKey) + "\\{B}").c_str()));
  EXPECT_EQ("", HistoryText());
}

TEST_F(MachineJobTest, RefusedIEHelperRemovalWritesNoHistoryAndKeepsTheAddOn) {
  SetEnvironmentVariableA(kFault, "all");
  WriteRegString(HKEY_LOCAL_MACHINE, kToolbarKey, "{T}", "");
  WriteRegString(HKEY_CLASSES_ROOT, "CLSID\\{T}\\InprocServer32", nullptr, "C:\\nowhere\\bar.dll");
  ASSERT_EQ(1, EnumerateIEHelpers());
  EXPECT_EQ(0, RemoveIEHelper("C:\\nowhere\\bar.dll", 0));
  EXPECT_TRUE(RegValueExists(HKEY_LOCAL_MACHINE, kToolbarKey, "{T}"));
  EXPECT_EQ("", HistoryText());

  SetEnvironmentVariableA(kFault, "job");
  ASSERT_TRUE(DenyKeyWrites(HKEY_LOCAL_MACHINE, kToolbarKey, true));
  EXPECT_EQ(0, RemoveIEHelper("C:\\nowhere\\bar.dll", 0)) << "the monitor's own try is denied";
  ASSERT_TRUE(DenyKeyWrites(HKEY_LOCAL_MACHINE, kToolbarKey, false));
  EXPECT_EQ("", HistoryText());
  EXPECT_EQ(1, RemoveIEHelper("C:\\nowhere\\bar.dll", 0));
  EXPECT_NE(std::string::npos, HistoryText().find("IEHELPER_Remove"));
}

class MachineFileTypeJobTest : public MachineJobTest {
 protected:
  static constexpr char kExtKey[] = "Software\\Tamsel\\Korvane\\Ext";
  static constexpr char kClassKey[] = "Software\\Tamsel\\Korvane\\Class";
  static constexpr char kCommandKey[] = "Software\\Classes\\KvtFile\\shell\\open\\command";
  void SetUp() override {
    MachineJobTest::SetUp();
    WriteRegString(HKEY_CURRENT_USER, kExtKey, ".kvt", "KvtFile");
    WriteRegString(HKEY_CURRENT_USER, kClassKey, "KvtFile", "\"C:\\a\\note.exe\" %1");
    WriteRegString(HKEY_LOCAL_MACHINE, "Software\\Classes\\.kvt", nullptr, "EvilFile");
    WriteRegString(HKEY_LOCAL_MACHINE, kCommandKey, nullptr, "C:\\evil.exe %1");
  }
  static std::string MachineProgId() {
    return ReadRegString(HKEY_LOCAL_MACHINE, "Software\\Classes\\.kvt", nullptr);
  }
};

TEST_F(MachineFileTypeJobTest, JobReadsWhatToPutBackFromTheAskingAccountsStore) {
  SetEnvironmentVariableA(kFault, nullptr);
  const std::string account = AccountOfProcess();
  ASSERT_NE("", account);
  EXPECT_EQ(0, RunAsJob("file-type-restore", {".kvt", "1", "S-1-5-21-1-2-3-4242"}))
      << "an account whose store is not loaded gives nothing to put back";
  EXPECT_EQ(0, RunAsJob("file-type-restore", {".kvt", "3", account})) << "a per-user source";
  EXPECT_EQ(0, RunAsJob("file-type-restore", {"..\\x", "1", account}));
  WriteRegString(HKEY_CURRENT_USER, kExtKey, ".kvb", "CLSID\\{0}");
  EXPECT_EQ(0, RunAsJob("file-type-restore", {".kvb", "1", account}))
      << "a stored ProgID with a backslash would reach other class keys";
  EXPECT_EQ("EvilFile", MachineProgId());

  EXPECT_EQ(kMachineJobDone, RunAsJob("file-type-restore", {"kvt", "1", account}));
  EXPECT_EQ("KvtFile", MachineProgId());
  EXPECT_EQ("\"C:\\a\\note.exe\" %1", ReadRegString(HKEY_LOCAL_MACHINE, kCommandKey, nullptr));
}

TEST_F(MachineFileTypeJobTest, DeniedRestoreReportsFailureAndTheJobPathSucceeds) {
  SetEnvironmentVariableA(kFault, "job");
  ASSERT_TRUE(DenyKeyWrites(HKEY_LOCAL_MACHINE, kCommandKey, true));
  EXPECT_FALSE(RestoreAssociation(".kvt", 1));
  ASSERT_TRUE(DenyKeyWrites(HKEY_LOCAL_MACHINE, kCommandKey, false));
  EXPECT_EQ("C:\\evil.exe %1", ReadRegString(HKEY_LOCAL_MACHINE, kCommandKey, nullptr));

  SetEnvironmentVariableA(kFault, "all");
  WriteRegString(HKEY_LOCAL_MACHINE, "Software\\Classes\\.kvt", nullptr, "EvilFile");
  EXPECT_FALSE(RestoreAssociation(".kvt", 1));
  EXPECT_EQ("EvilFile", MachineProgId());
  SetEnvironmentVariableA(kFault, nullptr);
  EXPECT_TRUE(RestoreAssociation(".kvt", 1));
  EXPECT_EQ("KvtFile", MachineProgId());
}

}  // namespace
