// The Services and Scheduled Tasks pages over a real service made with the service manager
// and a real Task Scheduler job: each is listed, and the page's actions change the real
// service or job; no explorer, service or job outlives a test.
#include <windows.h>
#include <mstask.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "categories/scheduled_tasks.h"
#include "explorer_driver.h"
#include "monitor_driver.h"
#include "probe_service.h"
#include "sandbox.h"

namespace {

inline constexpr char kServiceName[] = "KvExPageService";
// Without the program's own name, which the lists show as the program's title.
inline constexpr char kServiceDisplay[] = "Sentinel Page Probe Service";
inline constexpr char kServiceKey[] = "SYSTEM\\CurrentControlSet\\Services\\KvExPageService";
inline constexpr wchar_t kTaskName[] = L"KvExPageTask";
inline constexpr char kTaskShown[] = "KvExPageTask";
inline constexpr char kTaskTitle[] = "KvExPageTask.job";
inline constexpr char kKnownTasksKey[] = "Software\\Tamsel\\Korvane\\Tasks";
inline constexpr int kStateColumn = 3;
inline constexpr int kDisabledChoice = 2;  // Automatic, Manual, Disabled
inline constexpr DWORD kDisabledStart = 4;

const ProbeService kPageService{kServiceName, kServiceDisplay};

std::string TaskFilePath() { return TaskJobPath(kTaskTitle); }

bool TaskFileThere() { return GetFileAttributesA(TaskFilePath().c_str()) != INVALID_FILE_ATTRIBUTES; }

bool AddPageTask() { return AddNotepadJob(kTaskName, kTaskTitle); }

class ExplorerServicesTasksTest : public ExplorerTest {
 protected:
  void SetUp() override {
    ExplorerTest::SetUp();
    kPageService.Remove();
    DeleteScheduledTask(kTaskTitle);
  }
  void TearDown() override {
    ExplorerTest::TearDown();
    kPageService.Remove();
    DeleteScheduledTask(kTaskTitle);
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kKnownTasksKey, kTaskTitle);
  }
  HWND OpenPage(const char* pageSwitch, const char* title) {
    const HWND sheet = OpenExplorer(pageSwitch, &run_);
    if (!sheet) return nullptr;
    list_ = PageControl(sheet, IDC_PAGE_LIST);
    EXPECT_TRUE(list_ && WaitRowsTitled(list_, title, 1)) << title << " not listed in "
                                                           << Titles();
    return list_ ? sheet : nullptr;
  }
  std::string Titles() const {
    std::string titles;
    const RemoteList list(list_);
    for (int row = 0; row < list.Rows(); ++row)
      titles += list.Cell(row, 0) + " (" + list.Cell(row, 1) + "); ";
    return titles;
  }
  bool Select(const char* title) const {
    const RemoteList list(list_);
    const std::vector<int> rows = list.RowsTitled(title);
    return !rows.empty() && list.Select({rows[0]});
  }
  std::string StateShown(const std::string& title) const {
    const RemoteList list(list_);
    const std::vector<int> rows = list.RowsTitled(title);
    return rows.empty() ? std::string() : list.Cell(rows[0], kStateColumn);
  }
  // Chooses the start type in the info dialog's list as a user does, then Apply.
  static bool ApplyStartType(HWND info, int choice) {
    HWND types = GetDlgItem(info, IDC_INFO_START_TYPE);
    if (!types || SendMessageA(types, CB_SETCURSEL, choice, 0) != choice) return false;
    SendMessageA(info, WM_COMMAND, MAKEWPARAM(IDC_INFO_START_TYPE, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(types));
    HWND apply = GetDlgItem(info, IDC_INFO_APPLY);
    if (!WaitUntil([&] { return IsWindowEnabled(apply) != FALSE; })) return false;
    return PostMessageA(info, WM_COMMAND, IDC_INFO_APPLY, 0) != FALSE;
  }

  ProgramRun* run_ = nullptr;
  HWND list_ = nullptr;
};

}  // namespace

TEST_F(ExplorerServicesTasksTest, ServiceListedRunningStoppedAndDisabledThroughItsInfo) {
  ASSERT_TRUE(kPageService.Start());
  const std::string title = kServiceDisplay;
  const HWND sheet = OpenPage("-SERVICE", title.c_str());
  ASSERT_NE(nullptr, sheet);
  EXPECT_EQ("Running", StateShown(title));
  ASSERT_TRUE(Select(title.c_str()));
  ASSERT_TRUE(PressPageButton(sheet, IDC_PAGE_INFO));
  const HWND info = WaitExplorerDialog(run_->Id(), kSheetCaption);
  ASSERT_NE(nullptr, info);
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(info, IDC_INFO_KILL))) << "a running service has Stop";

  const std::string line = "\tSERVICE_EXE\t" + title;
  PostMessageA(info, WM_COMMAND, IDC_INFO_KILL, 0);
  EXPECT_TRUE(WaitUntil([] { return kPageService.State() == SERVICE_STOPPED; }));
  EXPECT_TRUE(WaitUntil([&] { return HistoryHas("SERVICE_Stop" + line); }))
      << FileText(HistoryFilePath());

  ASSERT_TRUE(ApplyStartType(info, kDisabledChoice));
  EXPECT_TRUE(WaitUntil([] { return ReadDword(HKEY_LOCAL_MACHINE, kServiceKey, "Start") == kDisabledStart; }));
  EXPECT_TRUE(WaitUntil([&] { return HistoryHas("SERVICE_Disabled" + line); }))
      << FileText(HistoryFilePath());
  EXPECT_TRUE(WaitHistoryHas("SERVICE_from_Manual" + line)) << "the type it had before the change";
  PostMessageA(info, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(info); }));

  ASSERT_TRUE(PressPageButton(sheet, IDC_PAGE_CHECK));  // a click stores the box and refills
  EXPECT_TRUE(WaitUntil([&] { return StateShown(title) == "Stopped"; })) << StateShown(title);
  EXPECT_TRUE(CloseSheet(sheet, *run_));
}

TEST_F(ExplorerServicesTasksTest, ScheduledJobListedAndRemovedWithItsFileAndKnownRecord) {
  ASSERT_TRUE(AddPageTask());
  WriteSetting(kKnownTasksKey, kTaskTitle, "1");
  const HWND sheet = OpenPage("-SCHEDULE", kTaskShown);
  ASSERT_NE(nullptr, sheet);
  EXPECT_EQ("notepad.exe", RemoteList(list_).Cell(RemoteList(list_).RowsTitled(kTaskShown)[0], 1));

  ASSERT_TRUE(Select(kTaskShown));
  ASSERT_TRUE(PressPageButton(sheet, IDC_PAGE_REMOVE));
  HWND box = WaitExplorerDialog(run_->Id(), kSheetCaption);
  ASSERT_NE(nullptr, box);
  EXPECT_TRUE(Contains(MessageBoxText(box), kTaskTitle)) << MessageBoxText(box);
  ASSERT_TRUE(AnswerBox(box, IDNO));
  EXPECT_TRUE(TaskFileThere()) << "No keeps the job";
  ASSERT_TRUE(WaitRowsTitled(list_, kTaskShown, 1));

  ASSERT_TRUE(Select(kTaskShown));
  ASSERT_TRUE(PressPageButton(sheet, IDC_PAGE_REMOVE));
  box = WaitExplorerDialog(run_->Id(), kSheetCaption);
  ASSERT_NE(nullptr, box);
  ASSERT_TRUE(AnswerBox(box, IDYES));
  EXPECT_TRUE(WaitUntil([] { return !TaskFileThere(); }));
  EXPECT_TRUE(WaitRowsTitled(list_, kTaskShown, 0));
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kKnownTasksKey, kTaskTitle))
      << "the monitor's known-task record forgets the job";
  EXPECT_TRUE(CloseSheet(sheet, *run_));
}
