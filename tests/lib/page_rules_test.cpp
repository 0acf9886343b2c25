// The rules the explorer's category pages act by: a listed process is stopped by its own id,
// a delayed record is read and started by its own root, and a listed add-on or task is
// removed by what the row holds although the shared list holds something else by then.
#include <string>
#include <vector>

#include "categories/active_tasks.h"
#include "categories/ie_helpers.h"
#include "categories/listed_removals.h"
#include "categories/task_kill.h"
#include "foundation/settings.h"
#include "records/known_items.h"
#include "sandbox.h"
#include "started_programs.h"
#include "startup/delayed_records.h"
#include "startup/delayed_start.h"
#include "startup/item_list.h"

namespace {

constexpr char kTimeKey[] = "Software\\Tamsel\\Korvane\\Delay\\Time";

class PageRulesTest : public RegistrySandbox {
 protected:
  void TearDown() override {
    started_.EndAll();
    RegistrySandbox::TearDown();
  }
  // Starts the program and waits until the process walk reads its file.
  PROCESS_INFORMATION Start(const std::string& program) {
    const PROCESS_INFORMATION pi = started_.Start(program);
    for (int i = 0; pi.hProcess && i < 100 && !ProcessRunsFile(pi.dwProcessId, program.c_str()); ++i) Sleep(50);
    return pi;
  }
  // The processes that run the program file.
  static std::vector<unsigned long> Copies(const std::string& program) {
    struct Found {
      const std::string* program;
      std::vector<unsigned long> ids;
    } found = {&program, {}};
    WalkProcesses(
        [](unsigned long id, unsigned short, const char*, void* context) {
          auto* f = static_cast<Found*>(context);
          if (ProcessRunsFile(id, f->program->c_str())) f->ids.push_back(id);
          return true;
        },
        &found);
    return found.ids;
  }
  bool Runs(const PROCESS_INFORMATION& pi) {
    return WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT;
  }
  const std::string sleeper_ = ProgramFile("kv_sleeper.exe");
  StartedPrograms started_;
};

}  // namespace

TEST_F(PageRulesTest, EachCopyOfAProgramIsStoppedByItsOwnProcess) {
  const std::string copy = ScratchFolder() + "\\kv_sleeper.exe";
  ASSERT_TRUE(CopyFileA(sleeper_.c_str(), copy.c_str(), FALSE));
  const PROCESS_INFORMATION first = Start(sleeper_);
  const PROCESS_INFORMATION second = Start(copy);
  ASSERT_TRUE(ProcessRunsFile(second.dwProcessId, copy.c_str()));
  EXPECT_FALSE(ProcessRunsFile(second.dwProcessId, sleeper_.c_str()));

  // A process id that no longer runs the row's file is left alone.
  EXPECT_FALSE(KillListedProcess(first.dwProcessId, "Copy", copy.c_str(), ""));
  EXPECT_TRUE(Runs(first));
  EXPECT_EQ("", HistoryText());

  EXPECT_TRUE(KillListedProcess(second.dwProcessId, "Copy", copy.c_str(), "extra"));
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(second.hProcess, 5000));
  EXPECT_TRUE(Runs(first));
  EXPECT_NE(std::string::npos, HistoryText().find("\tTASK_Kill\tINFO_TASK\tCopy\t"));
  EXPECT_FALSE(KillListedProcess(second.dwProcessId, "Copy", copy.c_str(), ""));
  EXPECT_FALSE(KillListedProcess(0, "None", copy.c_str(), ""));
}

TEST_F(PageRulesTest, DelayedRecordsAreReadAndStartedFromTheirOwnRoot) {
  const std::string program = sleeper_;
  ASSERT_TRUE(AddDelayedProgram("C:\\T\\MINE.EXE", false));
  SettingsWriteString(HKEY_CURRENT_USER, kTimeKey, "C:\\T\\MINE.EXE", "80");
  ASSERT_TRUE(AddDelayedProgram("C:\\T\\MINE.EXE", true));
  SettingsWriteString(HKEY_LOCAL_MACHINE, kTimeKey, "C:\\T\\MINE.EXE", "600");
  EXPECT_EQ(80, DelayedRecordSeconds("C:\\T\\MINE.EXE", 11));
  EXPECT_EQ(600, DelayedRecordSeconds("C:\\T\\MINE.EXE", 1));
  EXPECT_EQ(0, DelayedRecordSeconds("C:\\T\\OTHER.EXE", 11));
  EXPECT_EQ(0, DelayedRecordSeconds(nullptr, 11));

  // Started now although a copy runs already.
  ASSERT_TRUE(AddDelayedProgram(program.c_str(), false));
  Start(program);
  ASSERT_EQ(1u, Copies(program).size());
  EXPECT_EQ(0, DelayedLaunchNow(program.c_str(), 11));
  for (int i = 0; i < 100 && Copies(program).size() < 2; ++i) Sleep(50);
  const std::vector<unsigned long> copies = Copies(program);
  EXPECT_EQ(2u, copies.size());
  for (unsigned long id : copies) TerminateProcessById(id);
  EXPECT_NE(0, DelayedLaunchNow("C:\\nowhere\\none.exe", 11));
  EXPECT_NE(0, DelayedLaunchNow("", 11));
}

TEST_F(PageRulesTest, AListedAddOnIsRemovedAfterAnotherPageFilledTheList) {
  SettingsCreateKey(HKEY_LOCAL_MACHINE, (std::string(kBHOKey) + "\\{B1}").c_str());
  SettingsWriteString(HKEY_CLASSES_ROOT, "CLSID\\{B1}\\InprocServer32", "", "C:\\nowhere\\one.dll");
  SettingsCreateKey(HKEY_LOCAL_MACHINE, (std::string(kBHOKey) + "\\{B2}").c_str());
  SettingsWriteString(HKEY_CLASSES_ROOT, "CLSID\\{B2}\\InprocServer32", "", "C:\\nowhere\\two.dll");
  ItemListClear();
  ItemAdd("other", "C:\\else\\x.exe", "k", "", 600, 0);

  EXPECT_EQ(1, RemoveListedIEHelper(kTypeBHO, "{B2}", "C:\\nowhere\\two.dll"));
  EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, (std::string(kBHOKey) + "\\{B1}").c_str()));
  EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, (std::string(kBHOKey) + "\\{B2}").c_str()));
  // Gone already, or a key that does not match its command: nothing is removed.
  EXPECT_EQ(0, RemoveListedIEHelper(kTypeBHO, "{B2}", "C:\\nowhere\\two.dll"));
  EXPECT_EQ(0, RemoveListedIEHelper(kTypeBHO, "{B1}", "C:\\nowhere\\two.dll"));
  EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, (std::string(kBHOKey) + "\\{B1}").c_str()));
}

TEST_F(PageRulesTest, ATaskThatCannotBeDeletedStaysKnown) {
  KnownItemRemember(kTasksKey, "Missing.job", 800);
  EXPECT_FALSE(RemoveListedScheduledTask("Missing.job"));
  EXPECT_EQ("800", ReadRegString(HKEY_CURRENT_USER, kTasksKey, "Missing.job"));
  EXPECT_FALSE(RemoveListedScheduledTask(""));
  EXPECT_FALSE(RemoveListedScheduledTask(nullptr));
}
