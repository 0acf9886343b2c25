// Tasks of the Task Scheduler 2.0, registered through the real task service. Wine's service
// writes the task file but lists nothing, so these also hold the reading of the files.
#include <windows.h>
#include <objbase.h>

#include <fstream>
#include <string>
#include <tuple>
#include <utility>

#include "categories/scheduled_tasks.h"
#include "categories/scheduled_tasks_v2.h"
#include "foundation/handles.h"
#include "records/history.h"
#include "records/history_read.h"
#include "records/history_undo.h"
#include "records/undo_store.h"
#include "sandbox.h"
#include "task_service_probe.h"
#include "undo_rows.h"

namespace {

constexpr char kTaskName[] = "KvV2Probe";
constexpr char kFolderName[] = "KvV2Folder";

HRESULT RegisterThroughService(const wchar_t* folder, const wchar_t* name) {
  return RegisterProbeTask(folder, name, L"C:\\Probe Dir\\v2probe.exe", L"/run &amp; go");
}

constexpr char kWindowsTask[] =
    "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n"
    "<Task version=\"1.2\" xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\">\r\n"
    "  <RegistrationInfo><Author>Written Author</Author></RegistrationInfo>\r\n"
    "  <Settings><Enabled>false</Enabled></Settings>\r\n"
    "  <Actions Context=\"Author\">\r\n"
    "    <Exec>\r\n"
    "      <Command>C:\\Probe Dir\\v2probe.exe</Command>\r\n"
    "      <Arguments>/run &amp; go</Arguments>\r\n"
    "    </Exec>\r\n"
    "  </Actions>\r\n"
    "</Task>\r\n";

class ScheduledTasksV2Test : public TaskServiceSandbox {
 protected:
  void TearDown() override {
    DeleteFileA((folder_ + "\\" + kTaskName).c_str());
    DeleteFileA((folder_ + "\\" + kFolderName + "\\" + kTaskName).c_str());
    DeleteFileA((folder_ + "\\" + kFolderName + "\\KvV2Written").c_str());
    for (const char* name : {"KvHostileBig", "KvHostileCut", "KvHostileBomb", ".KvDot\\Inner"})
      DeleteFileA((folder_ + "\\" + name).c_str());
    RemoveDirectoryA((folder_ + "\\.KvDot").c_str());
    RemoveDirectoryA((folder_ + "\\" + kFolderName).c_str());
    UndoStoreClear();
    TaskServiceSandbox::TearDown();
  }
  static const TaskV2* Find(const std::vector<TaskV2>& tasks, const std::string& path) {
    for (const TaskV2& task : tasks)
      if (task.path == path) return &task;
    return nullptr;
  }
  void Drop(const std::string& name, const std::string& bytes) const {
    std::ofstream(folder_ + "\\" + name, std::ios::binary) << bytes;
  }
};

// Wine's service keeps a registered task's path, author and state but writes its actions
// empty; the programs are checked on a file as Windows writes it.
TEST_F(ScheduledTasksV2Test, RegisteredTasksAreListedInEveryFolderWithTheirPrograms) {
  ASSERT_EQ(S_OK, RegisterThroughService(L"", L"KvV2Probe"));
  ASSERT_EQ(S_OK, RegisterThroughService(L"KvV2Folder", L"KvV2Probe"));
  Drop("KvV2Folder\\KvV2Written", Utf16WithMark(kWindowsTask));
  const std::vector<TaskV2> tasks = TasksV2List();
  for (const char* path : {"\\KvV2Probe", "\\KvV2Folder\\KvV2Probe"}) {
    const TaskV2* task = Find(tasks, path);
    ASSERT_NE(nullptr, task) << path;
    EXPECT_EQ("Probe Author", task->author);
    EXPECT_TRUE(task->enabled);
  }
  const TaskV2* written = Find(tasks, "\\KvV2Folder\\KvV2Written");
  ASSERT_NE(nullptr, written);
  EXPECT_EQ("\"C:\\Probe Dir\\v2probe.exe\" /run & go", written->command);
  EXPECT_FALSE(written->enabled);
  // The category's list holds them after the work items, under their own code.
  EnumerateScheduledTasks();
  int listed = 0;
  for (const ItemRow& row : ItemRowsCopy())
    if (row.code == kTaskScheduled2Code && row.title.rfind("\\KvV2", 0) == 0) ++listed;
  EXPECT_EQ(3, listed);
}

TEST_F(ScheduledTasksV2Test, DeletionKeepsTheTaskFileInTheVaultAndWritesHistory) {
  ASSERT_EQ(S_OK, RegisterThroughService(L"KvV2Folder", L"KvV2Probe"));
  const std::string file = folder_ + "\\KvV2Folder\\KvV2Probe";
  const std::string bytes = FileText(file);
  ASSERT_NE("", bytes);
  EXPECT_NE(S_OK, DeleteScheduledTask("\\KvV2Folder\\NoSuchTask"));
  EXPECT_EQ("", HistoryText());

  EXPECT_EQ(S_OK, DeleteScheduledTask("\\kvv2folder\\KVV2PROBE"));
  EXPECT_FALSE(PathExists(file));
  EXPECT_EQ(nullptr, Find(TasksV2List(), "\\KvV2Folder\\KvV2Probe"));
  TaskV2 gone;
  gone.file = file;
  EXPECT_EQ(bytes, FileText(TaskV2VaultCopy(gone))) << "what an undo needs";
  const std::string history = HistoryText();
  EXPECT_NE(std::string::npos, history.find("TASK_Remove\tTASK_SCHEDULED2")) << history;
  EXPECT_NE(std::string::npos, history.find("\\KvV2Folder\\KvV2Probe")) << history;
}

// Where the service cannot disable a task, nothing says it was.
TEST_F(ScheduledTasksV2Test, DisablingIsReportedOnlyWhenTheTaskIsDisabled) {
  ASSERT_EQ(S_OK, RegisterThroughService(L"", L"KvV2Probe"));
  const HRESULT result = DisableTaskV2("\\KvV2Probe");
  const TaskV2* task = nullptr;
  const std::vector<TaskV2> tasks = TasksV2List();
  task = Find(tasks, "\\KvV2Probe");
  ASSERT_NE(nullptr, task);
  EXPECT_EQ(SUCCEEDED(result), !task->enabled) << std::hex << result;
  EXPECT_NE(S_OK, DisableTaskV2("KvV2Probe")) << "not a task path";
  EXPECT_NE(S_OK, DisableTaskV2("\\"));
}

TEST_F(ScheduledTasksV2Test, HostileFilesInTheFolderAreListedAndReadSafely) {
  Drop("KvHostileBig", "<Task><Actions><Exec><Command>big.exe</Command></Exec></Actions>" +
                           std::string(2u << 20, ' ') + "</Task>");
  Drop("KvHostileCut", Utf16WithMark("<Task><Actions><Exec><Command>cut.exe</Command><Ar"));
  Drop("KvHostileBomb",
       "<!DOCTYPE T [<!ENTITY a \"aaaaaaaaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;\">]>"
       "<Task><Actions><Exec><Command>&b;bomb.exe</Command></Exec></Actions></Task>");
  ASSERT_TRUE(CreateDirectoryA((folder_ + "\\.KvDot").c_str(), nullptr));
  Drop(".KvDot\\Inner", "<Task><Actions><Exec><Command>dot.exe</Command></Exec></Actions></Task>");

  bool fromFiles = false;
  const std::vector<TaskV2> tasks = TasksV2List(&fromFiles);
  if (!fromFiles) GTEST_SKIP() << "the task service lists its tasks; the files are not read";
  const TaskV2* big = Find(tasks, "\\KvHostileBig");
  ASSERT_NE(nullptr, big) << "too large to read, still listed";
  EXPECT_EQ("", big->command);
  const TaskV2* cut = Find(tasks, "\\KvHostileCut");
  ASSERT_NE(nullptr, cut);
  EXPECT_EQ("cut.exe", cut->command);
  const TaskV2* bomb = Find(tasks, "\\KvHostileBomb");
  ASSERT_NE(nullptr, bomb);
  EXPECT_EQ("&b;bomb.exe", bomb->command);
  const TaskV2* dot = Find(tasks, "\\.KvDot\\Inner");
  ASSERT_NE(nullptr, dot) << "a folder named with a dot hides nothing";
  EXPECT_EQ("dot.exe", dot->command);
}


// A deleted task is registered again in its folder under its name, and only a fresh read
// finding it counts; its TASK_Restore line takes it away again. A task made at that path
// since is not overwritten: the Restore fails and stays offered.
TEST_F(ScheduledTasksV2Test, DeletedTaskIsRegisteredAgainFromTheHistory) {
  ASSERT_EQ(S_OK, RegisterThroughService(L"KvV2Folder", L"KvV2Probe"));
  const std::string file = folder_ + "\\KvV2Folder\\KvV2Probe";
  ASSERT_EQ(S_OK, DeleteTaskV2("\\KvV2Folder\\KvV2Probe"));
  ASSERT_EQ(nullptr, Find(TasksV2List(), "\\KvV2Folder\\KvV2Probe"));
  auto [row, undo] = NewestUndoRow(kActTaskRemove);
  ASSERT_EQ(kUndoRowReady, undo.state);

  EXPECT_EQ(kRestoreDone, HistoryRestore(row, undo));
  const TaskV2* back = Find(TasksV2List(), "\\KvV2Folder\\KvV2Probe");
  ASSERT_NE(nullptr, back) << "a fresh read finds it again";
  EXPECT_EQ("Probe Author", back->author);
  EXPECT_TRUE(PathExists(file));
  EXPECT_EQ(kUndoRowDone, NewestUndoRow(kActTaskRemove).second.state);

  const auto [restored, again] = NewestUndoRow(kActTaskRestore);
  EXPECT_EQ("\\KvV2Folder\\KvV2Probe", restored.title);
  ASSERT_EQ(kUndoRowReady, again.state);
  EXPECT_EQ(kRestoreDone, HistoryRestore(restored, again));
  EXPECT_EQ(nullptr, Find(TasksV2List(), "\\KvV2Folder\\KvV2Probe"));

  // Deleted again, then made anew before the Restore.
  ASSERT_EQ(S_OK, RegisterThroughService(L"KvV2Folder", L"KvV2Probe"));
  ASSERT_EQ(S_OK, DeleteTaskV2("\\KvV2Folder\\KvV2Probe"));
  std::tie(row, undo) = NewestUndoRow(kActTaskRemove);
  ASSERT_EQ(S_OK, RegisterProbeTask(L"KvV2Folder", L"KvV2Probe", L"C:\\since.exe", L""));
  const std::string since = FileText(file);
  EXPECT_EQ(kRestoreFailed, HistoryRestore(row, undo));
  EXPECT_EQ(since, FileText(file)) << "the newer task stays as it is";
  EXPECT_EQ(kUndoRowReady, NewestUndoRow(kActTaskRemove).second.state);
}

}  // namespace
