#include "categories/active_tasks.h"

#include <fstream>
#include <set>
#include <iterator>
#include <string>
#include <vector>

#include "foundation/paths.h"
#include "records/history.h"
#include "sandbox.h"
#include "startup/item_list.h"
#include "text.h"

namespace {

std::string SleeperPath() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string folder(path);
  return folder.substr(0, folder.rfind('\\') + 1) + "kv_sleeper.exe";
}

class ActiveTasksTest : public RegistrySandbox {
 protected:
  void SetUp() override {
    RegistrySandbox::SetUp();
    HistoryFilePath(history_, sizeof history_);
    DeleteFileA(history_);
  }
  void TearDown() override {
    for (const PROCESS_INFORMATION& p : started_) {
      TerminateProcess(p.hProcess, 0);
      WaitForSingleObject(p.hProcess, 5000);
      CloseHandle(p.hProcess);
      CloseHandle(p.hThread);
    }
    DeleteFileA(history_);
    RegistrySandbox::TearDown();
  }
  // Starts a sleeper and waits until the walk can read its program file.
  HANDLE StartSleeper() {
    STARTUPINFOA si = {sizeof si};
    si.dwFlags = STARTF_USESTDHANDLES;
    PROCESS_INFORMATION pi = {};
    std::string command = "\"" + SleeperPath() + "\"";
    EXPECT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &si, &pi));
    started_.push_back(pi);
    for (int i = 0; i < 100 && !Walked(pi.dwProcessId); ++i) Sleep(50);
    return pi.hProcess;
  }
  bool Walked(unsigned long processId) {
    struct Seen { unsigned long id; bool found; } seen = {processId, false};
    WalkProcesses(
        [](unsigned long id, unsigned short, const char* path, void* context) {
          auto* s = static_cast<Seen*>(context);
          s->found = id == s->id && path[0] != '\0';
          return !s->found;
        },
        &seen);
    return seen.found;
  }
  std::string History() const {
    std::ifstream in(history_, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  char history_[MAX_PATH] = "";
  std::vector<PROCESS_INFORMATION> started_;
};

}  // namespace

TEST_F(ActiveTasksTest, FindsListsOnceAndStopsARunningProgram) {
  const std::string path = SleeperPath();
  HANDLE first = StartSleeper();
  HANDLE second = StartSleeper();
  const std::set<unsigned long> ids = {started_[0].dwProcessId, started_[1].dwProcessId};
  EXPECT_EQ(1u, ids.count(FindProcessByFile("kv_sleeper.exe")));
  EXPECT_EQ(1u, ids.count(FindProcessByFile(("\"" + path + "\" -now").c_str())));
  EXPECT_TRUE(IsProgramRunning(path.c_str()));

  // Listed once, under the normalised path, with one of the two process ids.
  char normalised[MAX_PATH], command[kItemCommandSize];
  NormaliseCommand(path.c_str(), normalised, sizeof normalised);
  const int count = EnumerateActiveTasks();
  EXPECT_EQ(count, ItemCount());
  int listed = 0;
  for (int i = 0; i < count; ++i) {
    ItemCommand(i, command);
    EXPECT_EQ(600, ItemCode(i));
    if (!EqualsNoCase(command, normalised)) continue;
    ++listed;
    EXPECT_EQ(1u, ids.count(static_cast<unsigned long>(ItemValue(i))));
  }
  EXPECT_EQ(1, listed);

  const unsigned long stopped = KillTask(path.c_str(), "Sleeper", 0);
  ASSERT_EQ(1u, ids.count(stopped));
  HANDLE stoppedHandle = started_[0].dwProcessId == stopped ? first : second;
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(stoppedHandle, 5000));
  const std::string tail = "\tTASK_Kill\tINFO_TASK\tSleeper\t" + path + "\t\r\n";
  const std::string log = History();
  ASSERT_GT(log.size(), tail.size());
  EXPECT_EQ(tail, log.substr(log.size() - tail.size()));

  EXPECT_NE(0u, KillTask("kv_sleeper.exe", "", 0));
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(stoppedHandle == first ? second : first, 5000));
  EXPECT_EQ(0u, KillTask(path.c_str(), "Sleeper", 0));
  EXPECT_FALSE(IsProgramRunning(path.c_str()));
}

TEST_F(ActiveTasksTest, TaskCountFollowsDistinctProgramsAndAbsentFilesMatchNothing) {
  EXPECT_EQ(0u, FindProcessByFile(nullptr));
  EXPECT_EQ(0u, FindProcessByFile(""));
  EXPECT_EQ(0u, FindProcessByFile("C:\\nowhere\\none.exe"));
  EXPECT_EQ(0u, KillTask("C:\\nowhere\\none.exe", "none", 1));
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(history_));

  const int before = WatchTaskCount();
  EXPECT_GT(before, 0);
  StartSleeper();
  const int one = WatchTaskCount();
  EXPECT_LT(before, one);
  StartSleeper();
  EXPECT_EQ(one, WatchTaskCount());
}
