// The Scheduled Tasks page with a Task Scheduler 2.0 task: listed under its path with its
// program; disabling says so when the Task Scheduler will not; removal deletes the task file,
// keeps a copy in the vault and writes a history line.
#include <windows.h>

#include <string>

#include "categories/scheduled_tasks_v2.h"
#include "explorer_driver.h"
#include "monitor_driver.h"
#include "resource.h"
#include "sandbox.h"
#include "task_service_probe.h"
#include "task_v2_checks.h"

namespace {

inline constexpr char kTaskPath[] = "\\KvPageV2\\Probe";

std::string TaskFile() { return TaskV2FileOf(kTaskPath); }

// As Windows writes a task file: UTF-16 with its mark.
std::string WindowsTaskFile() {
  const std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n<Task version=\"1.2\" "
      "xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\"><Actions><Exec>"
      "<Command>C:\\windows\\notepad.exe</Command><Arguments>/probe</Arguments></Exec>"
      "</Actions></Task>\r\n";
  return Utf16WithMark(xml);
}

class ExplorerTasksV2Test : public ExplorerTest {
 protected:
  void TearDown() override {
    ExplorerTest::TearDown();
    DeleteFileA(TaskFile().c_str());
    RemoveDirectoryA((TasksV2Folder() + "\\KvPageV2").c_str());
  }
};

}  // namespace

TEST_F(ExplorerTasksV2Test, TaskListedRefusedDisableSaidAndRemovedIntoTheVault) {
  ASSERT_TRUE(CreateDirectoryA((TasksV2Folder() + "\\KvPageV2").c_str(), nullptr));
  const std::string bytes = WindowsTaskFile();
  ASSERT_TRUE(WriteTextFile(TaskFile(), bytes));
  ProgramRun* run = nullptr;
  const HWND sheet = OpenExplorer("-SCHEDULE", &run);
  ASSERT_NE(nullptr, sheet);
  const HWND list = PageControl(sheet, IDC_PAGE_LIST);
  ASSERT_TRUE(WaitRowsTitled(list, kTaskPath, 1));
  const auto select = [&] {
    const RemoteList rows(list);
    const std::vector<int> found = rows.RowsTitled(kTaskPath);
    return !found.empty() && rows.Select({found[0]});
  };
  EXPECT_EQ("notepad.exe /probe", RemoteList(list).Cell(RemoteList(list).RowsTitled(kTaskPath)[0], 1));

  // Wine's task service cannot switch a task off; the page must not pretend it did.
  ASSERT_TRUE(select());
  ASSERT_TRUE(SendMenuCommand(sheet, IDC_PAGE_DISABLE));
  ExpectTaskV2DisableRefused(run->Id(), kTaskPath);
  ASSERT_FALSE(HasFatalFailure());

  ASSERT_TRUE(select());
  ASSERT_TRUE(PressPageButton(sheet, IDC_PAGE_REMOVE));
  HWND box = WaitExplorerDialog(run->Id(), kSheetCaption);
  ASSERT_NE(nullptr, box);
  ASSERT_TRUE(AnswerBox(box, IDYES));
  ExpectTaskV2Removed(list, kTaskPath, bytes);
  EXPECT_TRUE(CloseSheet(sheet, *run));
}
