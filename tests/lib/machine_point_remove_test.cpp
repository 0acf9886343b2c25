// Removing an entry of a machine-wide value place for a standard user: the elevated job takes
// only the entry's name from its command line and the place's own row decides what goes; the
// user's process writes the line once the job says it happened, and tells a refusal once.
#include <windows.h>

#include <string>
#include <vector>

#include "categories/machine_job.h"
#include "history_text.h"
#include "machine_job_text.h"
#include "records/history_undo.h"
#include "machine_job_sandbox.h"
#include "sandbox.h"
#include "startup/snapshot.h"
#include "startup/startup_machine_remove.h"

using namespace std::string_literals;

namespace {

constexpr char kSessionManager[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
constexpr char kWinlogon[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
constexpr char kUserWinlogon[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
constexpr char kIfeoNotepad[] =
    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Image File Execution Options\\notepad.exe";
constexpr char kDebugger[] = "C:\\Bad\\dbg.exe -x";

int RunAsJob(const std::vector<std::string>& fields) {
  return MachineJobFromCommandLine(
      ("\"C:\\K\\KorvaneEx.exe\" " + MachineJobArguments({"point-remove", fields})).c_str());
}

std::string MultiString(HKEY root, const char* path, const char* value, DWORD& type) {
  DWORD size = 0;
  type = REG_NONE;
  if (RegGetValueA(root, path, value, RRF_RT_ANY, &type, nullptr, &size) != ERROR_SUCCESS)
    return "";
  std::string bytes(size, '\0');
  RegGetValueA(root, path, value, RRF_RT_ANY, &type, bytes.data(), &size);
  return bytes.substr(0, size);
}

class MachinePointRemoveTest : public MachineJobSandbox {
 protected:
  void TearDown() override {
    DenyKeyWrites(HKEY_LOCAL_MACHINE, kIfeoNotepad, false);
    MachineJobSandbox::TearDown();
  }
};

}  // namespace

TEST_F(MachinePointRemoveTest, JobTakesOutOnlyWhatThePlacesRowSaysAndOnlyUnderHKLM) {
  SetEnvironmentVariableA(kFault, nullptr);
  WriteRegValue(HKEY_LOCAL_MACHINE, kSessionManager, "BootExecute", REG_MULTI_SZ,
                "autocheck autochk *\0C:\\A\\one.exe\0C:\\A\\two.exe\0\0"s);
  EXPECT_EQ(kMachineJobDone, RunAsJob({"268", "", "c:\\a\\ONE.exe"}));
  DWORD type = REG_NONE;
  EXPECT_EQ("autocheck autochk *\0C:\\A\\two.exe\0\0"s,
            MultiString(HKEY_LOCAL_MACHINE, kSessionManager, "BootExecute", type))
      << "one item of the list, the rest and the system's own kept";
  EXPECT_EQ(static_cast<DWORD>(REG_MULTI_SZ), type);
  EXPECT_EQ(0, RunAsJob({"268", "", "autocheck autochk *"}))
      << "the system's own item is no entry";
  EXPECT_EQ(0, RunAsJob({"268", "", "C:\\A\\one.exe"})) << "gone already is no success";

  WriteRegString(HKEY_LOCAL_MACHINE, kWinlogon, "Taskman", "C:\\New\\tm.exe");
  EXPECT_EQ(0, RunAsJob({"264", "", "C:\\Old\\tm.exe"})) << "the value changed since it was listed";
  EXPECT_EQ("C:\\New\\tm.exe", ReadRegString(HKEY_LOCAL_MACHINE, kWinlogon, "Taskman"));

  // A per-user place, or a code outside the table, is refused even where HKLM holds the same.
  WriteRegString(HKEY_CURRENT_USER, kUserWinlogon, "Shell", "C:\\Bad\\shell.exe");
  WriteRegString(HKEY_LOCAL_MACHINE, kUserWinlogon, "Shell", "C:\\Bad\\shell.exe");
  EXPECT_EQ(0, RunAsJob({"263", "", "C:\\Bad\\shell.exe"}));
  EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, kUserWinlogon, "Shell"));
  EXPECT_TRUE(RegValueExists(HKEY_LOCAL_MACHINE, kUserWinlogon, "Shell"));
  WriteRegString(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Tool",
                 "C:\\T\\tool.exe");
  for (const char* code : {"1", "801", "285", "x", ""})
    EXPECT_EQ(0, RunAsJob({code, "Tool", "C:\\T\\tool.exe"})) << code;
  EXPECT_EQ(0, RunAsJob({"264", ""})) << "a field short";

  WriteRegString(HKEY_LOCAL_MACHINE, kIfeoNotepad, "Debugger", kDebugger);
  EXPECT_EQ(kMachineJobDone, RunAsJob({"260", "notepad.exe", kDebugger}));
  EXPECT_FALSE(RegValueExists(HKEY_LOCAL_MACHINE, kIfeoNotepad, "Debugger"));
  EXPECT_EQ("", HistoryText()) << "the job records nothing; its caller does";
}

TEST_F(MachinePointRemoveTest, ARefusalIsToldOnceAndTheEntryStaysUnknownUntilItGoes) {
  EXPECT_TRUE(StartupMachineRemovable(1));
  EXPECT_TRUE(StartupMachineRemovable(260));
  EXPECT_TRUE(StartupMachineRemovable(268));
  for (int code : {11, 263, 282, 285, 286, 801})
    EXPECT_FALSE(StartupMachineRemovable(code)) << code;

  // The monitor's own try denied by the key, the job refused: a standard user without consent.
  WriteRegString(HKEY_LOCAL_MACHINE, kIfeoNotepad, "Debugger", kDebugger);
  ASSERT_TRUE(DenyKeyWrites(HKEY_LOCAL_MACHINE, kIfeoNotepad, true));
  EXPECT_EQ(0, StartupMachineRemove("notepad.exe", kDebugger, "notepad.exe", 260));
  EXPECT_EQ(kDebugger, ReadRegString(HKEY_LOCAL_MACHINE, kIfeoNotepad, "Debugger"));
  ASSERT_EQ(1u, Told().size());
  EXPECT_NE(std::string::npos, Told()[0].find("could not remove the autostart entry"))
      << Told()[0];
  EXPECT_NE(std::string::npos, Told()[0].find("notepad.exe")) << Told()[0];
  EXPECT_EQ("", HistoryText());
  EXPECT_EQ(kSnapshotMissing, SnapshotLookup("notepad.exe", kDebugger));

  ASSERT_TRUE(DenyKeyWrites(HKEY_LOCAL_MACHINE, kIfeoNotepad, false));
  EXPECT_EQ(1, StartupMachineRemove("notepad.exe", kDebugger, "notepad.exe", 260));
  EXPECT_FALSE(RegValueExists(HKEY_LOCAL_MACHINE, kIfeoNotepad, "Debugger"));
  EXPECT_EQ(1u, Told().size());
  const std::vector<HistoryRecord> records = ParseHistoryText(HistoryText());
  ASSERT_EQ(1u, records.size());
  EXPECT_EQ("notepad.exe", records[0].title);
  EXPECT_EQ(260, records[0].typeCode);
  // The line is the record the history takes it back by, with the user's own rights.
  ASSERT_EQ(1, HistoryUndo(records[0]));
  EXPECT_EQ(kDebugger, ReadRegString(HKEY_LOCAL_MACHINE, kIfeoNotepad, "Debugger"));

  // A per-user place never goes to the job: the monitor's own rights suffice.
  SetEnvironmentVariableA(kFault, "all");
  WriteRegString(HKEY_CURRENT_USER, kUserWinlogon, "Shell", "C:\\Bad\\shell.exe");
  EXPECT_EQ(1, StartupMachineRemove("Shell", "C:\\Bad\\shell.exe", "", 263));
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kUserWinlogon, "Shell"));
  EXPECT_EQ(1u, Told().size());
}
