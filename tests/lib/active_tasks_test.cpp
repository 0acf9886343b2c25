#include "categories/active_tasks.h"

#include <set>
#include <string>
#include <vector>

#include "foundation/paths.h"
#include "sandbox.h"
#include "started_programs.h"
#include "startup/item_list.h"
#include "text.h"

namespace {

class ActiveTasksTest : public RegistrySandbox {
 protected:
  void TearDown() override {
    started_.EndAll();
    RegistrySandbox::TearDown();
  }
  // Starts a sleeper and waits until the walk can read its program file.
  void StartSleeper() {
    const PROCESS_INFORMATION pi = started_.Start(sleeper_);
    ASSERT_NE(nullptr, pi.hProcess);
    struct Wanted {
      DWORD id;
      bool seen;
    } wanted = {pi.dwProcessId, false};
    auto visit = [](unsigned long id, unsigned short, const char* path, void* context) {
      auto* w = static_cast<Wanted*>(context);
      w->seen = id == w->id && path[0] != '\0';
      return !w->seen;
    };
    for (int i = 0; i < 100 && !wanted.seen; ++i) {
      WalkProcesses(visit, &wanted);
      if (!wanted.seen) Sleep(50);
    }
  }
  const std::string sleeper_ = ProgramFile("kv_sleeper.exe");
  StartedPrograms started_;
};

}  // namespace

TEST_F(ActiveTasksTest, FindsCountsListsOnceAndStopsARunningProgram) {
  EXPECT_EQ(0u, FindProcessByFile(nullptr));
  EXPECT_EQ(0u, FindProcessByFile("C:\\nowhere\\none.exe"));
  EXPECT_EQ(0u, KillTask("C:\\nowhere\\none.exe", "none", 1));
  EXPECT_EQ("", HistoryText());

  StartSleeper();
  StartSleeper();
  const std::set<unsigned long> ids = {started_[0].dwProcessId, started_[1].dwProcessId};
  EXPECT_EQ(1u, ids.count(FindProcessByFile("kv_sleeper.exe")));
  EXPECT_EQ(1u, ids.count(FindProcessByFile(("\"" + sleeper_ + "\" -now").c_str())));
  EXPECT_TRUE(IsProgramRunning(sleeper_.c_str()));

  // Listed once, under the normalised path, with one of the two process ids.
  char normalised[MAX_PATH];
  NormaliseCommand(sleeper_.c_str(), normalised, sizeof normalised);
  const int count = EnumerateActiveTasks();
  EXPECT_EQ(count, ItemCount());
  int listed = 0;
  for (const ItemRow& row : ReadItems()) {
    EXPECT_EQ(600, row.code);
    if (!EqualsNoCase(row.command.c_str(), normalised)) continue;
    ++listed;
    EXPECT_EQ(1u, ids.count(static_cast<unsigned long>(row.value)));
  }
  EXPECT_EQ(1, listed);

  const unsigned long stopped = KillTask(sleeper_.c_str(), "Sleeper", 0);
  ASSERT_EQ(1u, ids.count(stopped));
  const int first = started_[0].dwProcessId == stopped ? 0 : 1;
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(started_[first].hProcess, 5000));
  const std::string tail = "\tTASK_Kill\tINFO_TASK\tSleeper\t" + sleeper_ + "\t\r\n";
  const std::string log = HistoryText();
  ASSERT_GT(log.size(), tail.size());
  EXPECT_EQ(tail, log.substr(log.size() - tail.size()));

  EXPECT_NE(0u, KillTask("kv_sleeper.exe", "", 0));
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(started_[1 - first].hProcess, 5000));
  EXPECT_EQ(0u, KillTask(sleeper_.c_str(), "Sleeper", 0));
  EXPECT_FALSE(IsProgramRunning(sleeper_.c_str()));

  // The count follows distinct programs: a second copy of one adds nothing.
  const int before = WatchTaskCount();
  StartSleeper();
  const int one = WatchTaskCount();
  EXPECT_LT(before, one);
  StartSleeper();
  EXPECT_EQ(one, WatchTaskCount());
}
