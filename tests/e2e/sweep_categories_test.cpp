// The watched categories through the real monitor: a new service, a new scheduled task, two
// browser helpers of one title, a locked file type and a delayed program.
#include <windows.h>
#include <mstask.h>
#include <tlhelp32.h>

#include <string>

#include "categories/file_types.h"
#include "categories/scheduled_tasks.h"
#include "monitor_driver.h"
#include "probe_service.h"
#include "sandbox.h"

namespace {

inline constexpr char kFileTypeCaption[] = "Korvane File Type Change Alert";
inline constexpr int kServiceStatusField = 1144;

inline constexpr char kServiceName[] = "KvE2eService";
inline constexpr char kServiceDisplay[] = "Sentry Probe Service";
inline constexpr char kServiceKey[] = "SYSTEM\\CurrentControlSet\\Services\\KvE2eService";
inline constexpr wchar_t kTaskName[] = L"KvE2eTask";
inline constexpr char kTaskTitle[] = "KvE2eTask.job";

inline constexpr char kHelperObjectsKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects\\";
inline constexpr const char* kHelperIds[] = {"{6B1D0C11-0000-4000-8000-00000000AB01}",
                                             "{6B1D0C11-0000-4000-8000-00000000AB02}"};

inline constexpr char kProbeExtKey[] = "Software\\Classes\\.kvprobe";
inline constexpr char kProbeClassKey[] = "Software\\Classes\\kvprobefile";
inline constexpr char kProbeCommandKey[] = "Software\\Classes\\kvprobefile\\shell\\open\\command";
inline constexpr char kViewerCommand[] = "C:\\Apps\\viewer.exe %1";

inline constexpr char kSleeperFile[] = "kv_sleeper.exe";

void AddTask() { ASSERT_TRUE(AddNotepadJob(kTaskName, kTaskTitle)); }

bool TaskFileThere() {
  return GetFileAttributesA(TaskJobPath(kTaskTitle).c_str()) != INVALID_FILE_ATTRIBUTES;
}

const ProbeService kProbe{kServiceName, kServiceDisplay};

// Every helper runs the same server file, so all share its product name, "Korvane", as title.
void AddHelper(const char* id) {
  WriteRegString(HKEY_LOCAL_MACHINE, (std::string(kHelperObjectsKey) + id).c_str(), "", "");
  const std::string serverKey = std::string("Software\\Classes\\CLSID\\") + id + "\\InprocServer32";
  WriteRegString(HKEY_LOCAL_MACHINE, serverKey.c_str(), "", (BinFolder() + "\\Tarvex.dll").c_str());
}

int SleepersRunning(bool stop = false) {
  int count = 0;
  Handle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32 entry = {sizeof entry};
  for (BOOL more = Process32First(snapshot.get(), &entry); more;
       more = Process32Next(snapshot.get(), &entry)) {
    if (lstrcmpiA(entry.szExeFile, kSleeperFile) != 0) continue;
    ++count;
    Handle process(stop ? OpenProcess(PROCESS_TERMINATE, FALSE, entry.th32ProcessID) : nullptr);
    if (process) TerminateProcess(process.get(), 0);
  }
  return count;
}

class SweepCategoriesTest : public MonitorTest {
 protected:
  void TearDown() override {
    MonitorTest::TearDown();
    kProbe.Remove();
    DeleteScheduledTask(kTaskTitle);
    for (const char* id : kHelperIds) {
      RegDeleteTreeA(HKEY_LOCAL_MACHINE, (std::string(kHelperObjectsKey) + id).c_str());
      RegDeleteTreeA(HKEY_LOCAL_MACHINE, (std::string("Software\\Classes\\CLSID\\") + id).c_str());
    }
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kProbeExtKey);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kProbeClassKey);
    SleepersRunning(true);
  }
};

}  // namespace

// One monitor run meets each new item in turn.
TEST_F(SweepCategoriesTest, ServiceAndTaskRejectedHelpersApprovedAndLockedFileTypePutBack) {
  for (const char* option : {"Services", "Tasks", "IEHelpers", "FileType", "LockFileTypes"})
    WriteOption(option, "1");
  ProgramRun& monitor = Launch("");
  const HWND window = WatchMonitor(monitor);

  SC_HANDLE service = kProbe.Open(SERVICE_ALL_ACCESS, true);
  ASSERT_NE(nullptr, service);
  EXPECT_TRUE(StartServiceA(service, 0, nullptr));
  CloseServiceHandle(service);
  ASSERT_TRUE(WaitUntil([] { return kProbe.State() == SERVICE_RUNNING; }));
  HWND alert = AlertNamed(monitor, window, kServiceDisplay);
  ASSERT_NE(nullptr, alert);
  const std::string status = DialogItemText(alert, kServiceStatusField);
  EXPECT_TRUE(Contains(status, "Startup Status: Manual\nActive Status: Running.")) << status;
  PressBoxButton(alert, IDNO);
  EXPECT_TRUE(WaitUntil([] { return kProbe.State() == SERVICE_STOPPED; }));
  EXPECT_TRUE(WaitUntil([] { return ReadDword(HKEY_LOCAL_MACHINE, kServiceKey, "Start") == 4; }));
  // The snapshot is written after the service manager's answers, so it may come a little later.
  EXPECT_TRUE(WaitUntil([] {
    return ReadRegString(HKEY_CURRENT_USER, "Software\\Tamsel\\Korvane\\Services\\Keys",
                         kServiceName) == "700";
  }));
  const std::string line = std::string("\tSERVICE_EXE\t") + kServiceDisplay;
  EXPECT_TRUE(WaitHistoryHas("SERVICE__from_Disabled" + line));
  EXPECT_TRUE(WaitHistoryHas("SERVICE_Stop" + line));
  EXPECT_TRUE(WaitHistoryHas("SERVICE_Disabled" + line));

  AddTask();
  ASSERT_TRUE(TaskFileThere());
  alert = AlertNamed(monitor, window, "KvE2eTask");
  ASSERT_NE(nullptr, alert);
  EXPECT_TRUE(WaitHistoryHas("TASK_Alert\tTASK_SCHEDULED"));
  PressBoxButton(alert, IDNO);
  EXPECT_TRUE(WaitUntil([] { return !TaskFileThere(); }));
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, "Software\\Tamsel\\Korvane\\Tasks", kTaskTitle));

  for (const char* id : kHelperIds) AddHelper(id);
  alert = AlertNamed(monitor, window, "Korvane");
  ASSERT_NE(nullptr, alert);
  EXPECT_TRUE(WaitHistoryHas("IEHELPER_Alert\tTYPE_BHO\tKorvane"));
  PressBoxButton(alert, IDYES);
  ASSERT_TRUE(WaitUntil([] {
    return ReadRegString(HKEY_CURRENT_USER, "Software\\Tamsel\\Korvane\\IEHelpers", "Korvane") ==
           "900";
  }));
  EXPECT_TRUE(QuietForTwoCycles(monitor, window, kAlertCaption)) << "the second shares the title";

  WriteRegString(HKEY_LOCAL_MACHINE, kProbeExtKey, "", "kvprobefile");
  WriteRegString(HKEY_LOCAL_MACHINE, kProbeCommandKey, "", kViewerCommand);
  ASSERT_EQ(0, AddWatchedFileType("KVPROBE"));
  WriteRegString(HKEY_LOCAL_MACHINE, kProbeCommandKey, "", "C:\\Apps\\hijack.exe %1");
  ASSERT_TRUE(CyclesUntil(window, [] {
    return ReadRegString(HKEY_LOCAL_MACHINE, kProbeCommandKey, "") == kViewerCommand;
  }));
  EXPECT_EQ(nullptr, FindDialog(monitor.Id(), kFileTypeCaption));
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, "Software\\Tamsel\\Detected\\FileTypes",
                              "C:\\APPS\\HIJACK.EXE"));
}

TEST_F(SweepCategoriesTest, DelayedProgramStartsOnTheThirdSlot) {
  std::string program = BinFolder() + "\\" + kSleeperFile;
  CharUpperA(program.data());
  WriteSetting("Software\\Tamsel\\Korvane\\Delay", program.c_str(), "11");
  WriteSetting("Software\\Tamsel\\Korvane\\Delay\\Time", program.c_str(), "30");
  const HWND window = WatchMonitor(Launch(""));
  SendTicks(window, 12);
  ASSERT_TRUE(WaitMessagesHandled(window));
  EXPECT_EQ(0, SleepersRunning()) << "two slots (10 and 20 seconds) have passed";
  SendTicks(window, 6);
  EXPECT_TRUE(WaitUntil([] { return SleepersRunning() == 1; }));
  SendTicks(window, 12);
  ASSERT_TRUE(WaitMessagesHandled(window));
  EXPECT_EQ(1, SleepersRunning()) << "each record starts once per run";
}
