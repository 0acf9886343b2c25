// Task Scheduler 2.0 tasks among the Startup page's entries: listed in the advanced mode only,
// never in the monitor's startup check; their removal is the end-to-end test's.
#include "startup/startup_tasks.h"

#include <windows.h>
#include <objbase.h>

#include <fstream>
#include <string>
#include <vector>

#include "categories/scheduled_tasks_v2.h"
#include "foundation/settings.h"
#include "sandbox.h"
#include "startup/startup_list.h"
#include "task_service_probe.h"

namespace {

constexpr char kOffTask[] =
    "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n"
    "<Task version=\"1.2\" xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\">"
    "<Settings><Enabled>false</Enabled></Settings>"
    "<Actions><Exec><Command>C:\\Off\\off.exe</Command></Exec></Actions></Task>\r\n";

std::vector<ItemRow> TaskRows() {
  std::vector<ItemRow> rows;
  for (const ItemRow& row : ItemRowsCopy())
    if (StartupTaskRow(row.code) && row.title.rfind("\\KvStart", 0) == 0) rows.push_back(row);
  ItemListClear();
  return rows;
}

class StartupTasksTest : public TaskServiceSandbox {
 protected:
  void SetUp() override {
    TaskServiceSandbox::SetUp();
    ASSERT_EQ(S_OK, RegisterProbeTask(L"", L"KvStartOn", L"C:\\On\\on.exe", L"/logon"));
    std::ofstream(folder_ + "\\KvStartOff", std::ios::binary) << Utf16WithMark(kOffTask);
  }
  void TearDown() override {
    for (const char* name : {"\\KvStartOn", "\\KvStartOff"}) DeleteFileA((folder_ + name).c_str());
    TaskServiceSandbox::TearDown();
  }
};

}  // namespace

TEST_F(StartupTasksTest, TasksAreListedWithTheOtherNewPlacesButNotInTheMonitorsCheck) {
  OptionSet("ShowAllStartup", 0);
  StartupTasksBuildList(1);
  EXPECT_TRUE(TaskRows().empty()) << "the plain mode lists what the catalogue knew";

  OptionSet("ShowAllStartup", 1);
  StartupTasksBuildList(1);
  const std::vector<ItemRow> rows = TaskRows();
  ASSERT_EQ(2u, rows.size());
  for (const ItemRow& row : rows) {
    const bool off = row.title == "\\KvStartOff";
    EXPECT_EQ(off, StartupTaskDisabled(row)) << row.title;
    if (off) {
      EXPECT_EQ("C:\\Off\\off.exe", row.command);
    }
  }
  // A Run entry's value is no task state, and its row never reaches the task functions.
  const ItemRow run = {"\\KvStartOff", "C:\\Off\\off.exe", "", "", 11, 0};
  EXPECT_FALSE(StartupTaskDisabled(run));
  EXPECT_FALSE(StartupTaskRemove(run));
  EXPECT_FALSE(StartupTaskDisable(run));
  EXPECT_TRUE(PathExists(folder_ + "\\KvStartOff"));

  // The monitor's check alerts on tasks through the scheduled-task category, not twice.
  BuildStartupList(0);
  EXPECT_TRUE(TaskRows().empty());
}
