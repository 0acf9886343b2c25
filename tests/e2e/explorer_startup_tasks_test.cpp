// The Startup page with a Task Scheduler 2.0 task registered through the real task service:
// listed in the advanced mode under its path and location; Disable says so when the Task
// Scheduler will not, Enable is not offered, Info names the Task Scheduler, and Remove deletes
// the task into the vault with its history line.
#include <windows.h>
#include <objbase.h>

#include <string>

#include "categories/scheduled_tasks_v2.h"
#include "explorer_driver.h"
#include "monitor_driver.h"
#include "resource.h"
#include "sandbox.h"
#include "task_v2_checks.h"
#include "task_service_probe.h"

namespace {

inline constexpr char kTaskPath[] = "\\KvStartPage\\Probe";
inline constexpr char kRemoveQuestion[] = "You have chosen to remove ";

std::string TaskFile() { return TaskV2FileOf(kTaskPath); }
bool TaskThere() { return TaskV2There(kTaskPath); }

class ExplorerStartupTasksTest : public ExplorerTest {
 protected:
  void SetUp() override {
    ExplorerTest::SetUp();
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  }
  void TearDown() override {
    ExplorerTest::TearDown();
    DeleteFileA(TaskFile().c_str());
    RemoveDirectoryA((TasksV2Folder() + "\\KvStartPage").c_str());
    CoUninitialize();
  }
  bool Select(HWND list) const {
    const RemoteList rows(list);
    const std::vector<int> found = rows.RowsTitled(kTaskPath);
    return !found.empty() && rows.Select({found[0]});
  }
  static bool ButtonShown(HWND sheet, int control) {
    const HWND button = PageControl(sheet, control);
    return button && IsWindowVisible(button) && IsWindowEnabled(button);
  }
};

}  // namespace

TEST_F(ExplorerStartupTasksTest, AdvancedModeListsTheTaskAndItsRowDisablesInformsAndRemoves) {
  ASSERT_EQ(S_OK, RegisterProbeTask(L"KvStartPage", L"Probe", L"C:\\windows\\notepad.exe",
                                    L"/startup"));
  ASSERT_TRUE(TaskThere());
  WriteOption("ShowAllStartup", "0");
  ProgramRun* run = nullptr;
  const HWND sheet = OpenExplorer("-START", &run);
  ASSERT_NE(nullptr, sheet);
  HWND list = StartupList(sheet);
  ASSERT_NE(nullptr, list);
  ASSERT_TRUE(WaitRowsTitled(list, kTaskPath, 0)) << "the plain mode lists the catalogue's places";

  const HWND all = GetDlgItem(ActivePage(sheet), IDC_STARTUP_SHOW_ALL);
  ASSERT_NE(nullptr, all);
  SendMessageTimeoutA(all, BM_SETCHECK, BST_CHECKED, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
  ASSERT_TRUE(PressPageButton(sheet, IDC_STARTUP_SHOW_ALL));
  ASSERT_TRUE(WaitRowsTitled(list, kTaskPath, 1));
  EXPECT_EQ("TASK_SCHEDULED2",
            RemoteList(list).Cell(RemoteList(list).RowsTitled(kTaskPath)[0], kColType));

  // Wine's task service cannot switch a task off; the page says so and keeps the task.
  ASSERT_TRUE(Select(list));
  EXPECT_TRUE(WaitUntil([&] { return ButtonShown(sheet, IDC_STARTUP_DISABLE); }));
  EXPECT_FALSE(ButtonShown(sheet, IDC_STARTUP_ENABLE));
  ASSERT_TRUE(PressPageButton(sheet, IDC_STARTUP_DISABLE));
  ExpectTaskV2DisableRefused(run->Id(), kTaskPath);
  ASSERT_FALSE(HasFatalFailure());

  ASSERT_TRUE(Select(list));
  ASSERT_TRUE(PressPageButton(sheet, IDC_PAGE_INFO));
  const HWND info = WaitExplorerDialog(run->Id(), kSheetCaption);
  ASSERT_NE(nullptr, info);
  EXPECT_TRUE(Contains(DialogItemText(info, IDC_INFO_LOCATION), "Windows Task Scheduler"))
      << DialogItemText(info, IDC_INFO_LOCATION);
  ASSERT_TRUE(AnswerBox(info, IDCANCEL));

  ASSERT_TRUE(Select(list));
  ASSERT_TRUE(PressPageButton(sheet, IDC_STARTUP_REMOVE));
  HWND box = WaitExplorerDialog(run->Id(), kSheetCaption);
  ASSERT_NE(nullptr, box);
  EXPECT_TRUE(Contains(MessageBoxText(box), std::string(kRemoveQuestion) + kTaskPath))
      << MessageBoxText(box);
  const std::string bytes = FileText(TaskFile());
  ASSERT_TRUE(AnswerBox(box, IDYES));
  ExpectTaskV2Removed(list, kTaskPath, bytes);
  EXPECT_TRUE(CloseSheet(sheet, *run));
}
