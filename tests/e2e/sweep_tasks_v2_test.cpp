// A Task Scheduler 2.0 task registered through the task service while the real monitor runs:
// it is put before the user under its path, and rejecting it deletes it, keeps its file in
// the vault and leaves a history line.
#include <windows.h>
#include <objbase.h>

#include <string>

#include "categories/scheduled_tasks_v2.h"
#include "monitor_driver.h"
#include "sandbox.h"
#include "task_service_probe.h"

namespace {

inline constexpr char kTaskPath[] = "\\KvE2eFolder\\KvE2eV2Task";
inline constexpr char kTasksKey[] = "Software\\Tamsel\\Korvane\\Tasks";

std::string TaskFile() { return TasksV2Folder() + kTaskPath; }

std::string WindowsTaskFile(const std::string& command, const std::string& arguments) {
  const std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n<Task version=\"1.2\" "
      "xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\"><Actions><Exec><Command>" +
      command + "</Command><Arguments>" + arguments + "</Arguments></Exec></Actions></Task>";
  return Utf16WithMark(xml);
}

class SweepTasksV2Test : public MonitorTest {
 protected:
  void SetUp() override {
    MonitorTest::SetUp();
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    WriteOption("Tasks", "1");
  }
  void TearDown() override {
    MonitorTest::TearDown();
    DeleteFileA(TaskFile().c_str());
    RemoveDirectoryA((TasksV2Folder() + "\\KvE2eFolder").c_str());
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kTasksKey, kTaskPath);
    CoUninitialize();
  }
  static bool TaskThere() { return GetFileAttributesA(TaskFile().c_str()) != INVALID_FILE_ATTRIBUTES; }
};

}  // namespace

TEST_F(SweepTasksV2Test, NewTaskIsAlertedAndRejectingDeletesIt) {
  ProgramRun& monitor = Launch("");
  const HWND window = WatchMonitor(monitor);
  ASSERT_EQ(S_OK, RegisterProbeTask(L"KvE2eFolder", L"KvE2eV2Task", L"C:\\Probe\\v2e2e.exe",
                                    L"/persist"));
  ASSERT_TRUE(TaskThere());
  const HWND alert = AlertNamed(monitor, window, kTaskPath);
  ASSERT_NE(nullptr, alert);
  EXPECT_TRUE(WaitHistoryHas("TASK_Alert\tTASK_SCHEDULED"));
  PressBoxButton(alert, IDNO);
  EXPECT_TRUE(WaitUntil([] { return !TaskThere(); }));
  EXPECT_TRUE(WaitHistoryHas(std::string("TASK_Remove\tTASK_SCHEDULED2\t") + kTaskPath));
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kTasksKey, kTaskPath));
}

// Written as Windows writes a task file (Wine's service leaves the actions out of it).
TEST_F(SweepTasksV2Test, ApprovedTaskIsKnownUnderItsOwnCodeAndNotAskedAgain) {
  ProgramRun& monitor = Launch("");
  const HWND window = WatchMonitor(monitor);
  ASSERT_TRUE(CreateDirectoryA((TasksV2Folder() + "\\KvE2eFolder").c_str(), nullptr));
  ASSERT_TRUE(WriteTextFile(TaskFile(), WindowsTaskFile("C:\\Probe\\v2e2e.exe", "/persist")));
  const HWND alert = AlertNamed(monitor, window, kTaskPath);
  ASSERT_NE(nullptr, alert);
  EXPECT_EQ("C:\\Probe\\v2e2e.exe /persist", DialogItemText(alert, 1026));
  PressBoxButton(alert, IDYES);
  EXPECT_TRUE(WaitUntil([] { return ReadRegString(HKEY_CURRENT_USER, kTasksKey, kTaskPath) == "801"; }));
  EXPECT_TRUE(TaskThere());
  EXPECT_TRUE(QuietForTwoCycles(monitor, window, "Korvane New Program Alert"));
}

// The tasks folder is watched with its sub-folders: no sweep tick is waited for.
TEST_F(SweepTasksV2Test, TaskWrittenIntoANewFolderIsCheckedTheMomentItAppears) {
  WriteOption("HideTasks", "1");
  WriteOption("Debug", "1");
  ProgramRun& monitor = Launch("");
  const HWND window = WatchMonitor(monitor);
  ASSERT_TRUE(WaitMessagesHandled(window));
  Sleep(300);
  ASSERT_TRUE(CreateDirectoryA((TasksV2Folder() + "\\KvE2eFolder").c_str(), nullptr));
  ASSERT_TRUE(WriteTextFile(TaskFile(), WindowsTaskFile("C:\\Probe\\v2watch.exe", "")));
  EXPECT_TRUE(WaitUntil(
      [] { return ReadRegString(HKEY_CURRENT_USER, kTasksKey, kTaskPath) == "801"; }, 5000));
}
