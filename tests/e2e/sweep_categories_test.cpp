// The watched categories through the real monitor: a new service, a new scheduled task, a
// locked file type and a delayed program.
#include <windows.h>
#include <mstask.h>
#include <tlhelp32.h>

#include <string>

#include "categories/file_types.h"
#include "categories/scheduled_tasks.h"
#include "monitor_driver.h"
#include "sandbox.h"

namespace {

inline constexpr char kFileTypeCaption[] = "Korvane File Type Change Alert";
inline constexpr int kServiceStatusField = 1144;

inline constexpr char kServiceName[] = "KvE2eService";
inline constexpr char kServiceDisplay[] = "Sentry Probe Service";
inline constexpr wchar_t kTaskName[] = L"KvE2eTask";
inline constexpr char kTaskTitle[] = "KvE2eTask.job";

inline constexpr char kProbeExtKey[] = "Software\\Classes\\.kvprobe";
inline constexpr char kProbeClassKey[] = "Software\\Classes\\kvprobefile";
inline constexpr char kProbeCommandKey[] = "Software\\Classes\\kvprobefile\\shell\\open\\command";
inline constexpr char kViewerCommand[] = "C:\\Apps\\viewer.exe %1";

inline constexpr char kDelayRecordKey[] = "Software\\Tamsel\\Korvane\\Delay";
inline constexpr char kDelayTimeKey[] = "Software\\Tamsel\\Korvane\\Delay\\Time";
inline constexpr char kSleeperFile[] = "kv_sleeper.exe";

class SweepCategoriesTest : public MonitorTest {
 protected:
  void TearDown() override {
    MonitorTest::TearDown();
    RemoveService();
    RemoveTask();
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kProbeExtKey);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kProbeClassKey);
    StopSleepers();
    DeleteFileA(HistoryFilePath().c_str());
  }

  static void RemoveService() {
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    SC_HANDLE service = OpenServiceA(manager, kServiceName, SERVICE_ALL_ACCESS);
    if (service) {
      SERVICE_STATUS status;
      ControlService(service, SERVICE_CONTROL_STOP, &status);
      DeleteService(service);
      CloseServiceHandle(service);
    }
    CloseServiceHandle(manager);
  }
  static DWORD ServiceState() {
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
    SC_HANDLE service = OpenServiceA(manager, kServiceName, SERVICE_QUERY_STATUS);
    SERVICE_STATUS status = {};
    if (service) QueryServiceStatus(service, &status);
    CloseServiceHandle(service);
    CloseServiceHandle(manager);
    return status.dwCurrentState;
  }
  static DWORD ServiceStart() {
    RegKey key;
    DWORD start = 0, size = sizeof start;
    const std::string path = std::string("SYSTEM\\CurrentControlSet\\Services\\") + kServiceName;
    if (key.Open(HKEY_LOCAL_MACHINE, path.c_str(), KEY_QUERY_VALUE))
      RegQueryValueExA(key.get(), "Start", nullptr, nullptr, reinterpret_cast<BYTE*>(&start),
                       &size);
    return start;
  }

  static void WithScheduler(void (*use)(ITaskScheduler*)) {
    ASSERT_EQ(0u, EnsureSchedulerRunning());
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ITaskScheduler* scheduler = nullptr;
    if (SUCCEEDED(CoCreateInstance(kSchedulerClass, nullptr, CLSCTX_INPROC_SERVER,
                                   kSchedulerInterface, reinterpret_cast<void**>(&scheduler)))) {
      use(scheduler);
      scheduler->Release();
    }
    CoUninitialize();
  }
  static void AddTask() {
    WithScheduler([](ITaskScheduler* scheduler) {
      ITask* task = nullptr;
      ASSERT_EQ(S_OK, scheduler->NewWorkItem(kTaskName, kTaskClass, kTaskInterface,
                                             reinterpret_cast<IUnknown**>(&task)));
      task->SetApplicationName(L"C:\\windows\\system32\\notepad.exe");
      IPersistFile* file = nullptr;
      task->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
      ASSERT_NE(nullptr, file);
      EXPECT_EQ(S_OK, file->Save(nullptr, TRUE));
      file->Release();
      task->Release();
    });
  }
  static void RemoveTask() {
    WithScheduler([](ITaskScheduler* scheduler) { scheduler->Delete(kTaskName); });
  }
  static std::string TaskFile() {
    char windows[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, MAX_PATH);
    return std::string(windows) + "\\Tasks\\" + kTaskTitle;
  }

  static int SleepersRunning(bool stop = false) {
    int count = 0;
    Handle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.get(), &entry); more;
         more = Process32Next(snapshot.get(), &entry)) {
      if (lstrcmpiA(entry.szExeFile, kSleeperFile) != 0) continue;
      ++count;
      if (!stop) continue;
      Handle process(OpenProcess(PROCESS_TERMINATE, FALSE, entry.th32ProcessID));
      if (process) TerminateProcess(process.get(), 0);
    }
    return count;
  }
  static void StopSleepers() { SleepersRunning(true); }
};

}  // namespace

TEST_F(SweepCategoriesTest, NewServiceRejectedIsStoppedDisabledAndLogged) {
  WriteOption("Services", "1");
  ProgramRun& monitor = Launch("");
  const HWND window = WatchMonitor(monitor);
  SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
  ASSERT_NE(nullptr, manager);
  const std::string image = BinFolder() + "\\kv_test_service.exe";
  SC_HANDLE service = CreateServiceA(manager, kServiceName, kServiceDisplay, SERVICE_ALL_ACCESS,
                                     SERVICE_WIN32_OWN_PROCESS, SERVICE_DEMAND_START,
                                     SERVICE_ERROR_IGNORE, image.c_str(), nullptr, nullptr,
                                     nullptr, nullptr, nullptr);
  ASSERT_NE(nullptr, service);
  EXPECT_TRUE(StartServiceA(service, 0, nullptr));
  CloseServiceHandle(service);
  CloseServiceHandle(manager);
  ASSERT_TRUE(WaitUntil([] { return ServiceState() == SERVICE_RUNNING; }));

  const HWND alert = AlertNamed(monitor, window, kServiceDisplay);
  ASSERT_NE(nullptr, alert);
  const std::string status = DialogItemText(alert, kServiceStatusField);
  EXPECT_NE(std::string::npos, status.find("Startup Status: Manual\nActive Status: Running."))
      << status;
  PressBoxButton(alert, IDNO);
  EXPECT_TRUE(WaitUntil([] { return ServiceState() == SERVICE_STOPPED; }));
  EXPECT_TRUE(WaitUntil([] { return ServiceStart() == 4; }));
  EXPECT_EQ("700", ReadRegString(HKEY_CURRENT_USER, "Software\\Tamsel\\Korvane\\Services",
                                 kServiceDisplay));
  const std::string line = std::string("\tSERVICE_EXE\t") + kServiceDisplay;
  EXPECT_TRUE(HistoryHas("SERVICE__from_Disabled" + line));
  EXPECT_TRUE(HistoryHas("SERVICE_Stop" + line));
  EXPECT_TRUE(HistoryHas("SERVICE_Disabled" + line));
}

TEST_F(SweepCategoriesTest, NewTaskRejectedIsDeletedFromTheScheduler) {
  WriteOption("Tasks", "1");
  ProgramRun& monitor = Launch("");
  const HWND window = WatchMonitor(monitor);
  AddTask();
  ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(TaskFile().c_str()));
  const HWND alert = AlertNamed(monitor, window, "KvE2eTask");
  ASSERT_NE(nullptr, alert);
  EXPECT_TRUE(HistoryHas(std::string("TASK_Alert\tTASK_SCHEDULED")));
  PressBoxButton(alert, IDNO);
  EXPECT_TRUE(WaitUntil(
      [] { return GetFileAttributesA(TaskFile().c_str()) == INVALID_FILE_ATTRIBUTES; }));
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, "Software\\Tamsel\\Korvane\\Tasks", kTaskTitle));
}

TEST_F(SweepCategoriesTest, LockedFileTypeIsPutBackWithoutAWindow) {
  WriteOption("FileType", "1");
  WriteOption("LockFileTypes", "1");
  ProgramRun& monitor = Launch("");
  const HWND window = WatchMonitor(monitor);
  WriteRegText(HKEY_LOCAL_MACHINE, kProbeExtKey, "", "kvprobefile");
  WriteRegText(HKEY_LOCAL_MACHINE, kProbeCommandKey, "", kViewerCommand);
  ASSERT_EQ(0, AddWatchedFileType("KVPROBE"));
  WriteRegText(HKEY_LOCAL_MACHINE, kProbeCommandKey, "", "C:\\Apps\\hijack.exe %1");
  ASSERT_TRUE(WaitUntil([&] {
    RunSweepCycle(window);
    return ReadRegString(HKEY_LOCAL_MACHINE, kProbeCommandKey, "") == kViewerCommand;
  }));
  EXPECT_EQ(nullptr, FindDialog(monitor.Id(), kFileTypeCaption));
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, "Software\\Tamsel\\Detected\\FileTypes",
                              "C:\\APPS\\HIJACK.EXE"));
}

TEST_F(SweepCategoriesTest, DelayedProgramStartsOnTheThirdSlot) {
  std::string program = BinFolder() + "\\" + kSleeperFile;
  CharUpperA(program.data());
  WriteSetting(kDelayRecordKey, program.c_str(), "11");
  WriteSetting(kDelayTimeKey, program.c_str(), "30");
  ProgramRun& monitor = Launch("");
  const HWND window = WatchMonitor(monitor);
  SendTicks(window, 12);
  ASSERT_TRUE(WaitMessagesHandled(window));
  EXPECT_EQ(0, SleepersRunning()) << "two slots (10 and 20 seconds) have passed";
  SendTicks(window, 6);
  EXPECT_TRUE(WaitUntil([] { return SleepersRunning() == 1; }));
  SendTicks(window, 12);
  ASSERT_TRUE(WaitMessagesHandled(window));
  EXPECT_EQ(1, SleepersRunning()) << "each record starts once per run";
}

namespace {

inline constexpr char kHelperObjectsKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects\\";
inline constexpr const char* kHelperIds[] = {"{6B1D0C11-0000-4000-8000-00000000AB01}",
                                             "{6B1D0C11-0000-4000-8000-00000000AB02}",
                                             "{6B1D0C11-0000-4000-8000-00000000AB03}"};

class SweepIEHelpersTest : public SweepCategoriesTest {
 protected:
  void TearDown() override {
    SweepCategoriesTest::TearDown();
    for (const char* id : kHelperIds) {
      RegDeleteTreeA(HKEY_LOCAL_MACHINE, (std::string(kHelperObjectsKey) + id).c_str());
      RegDeleteTreeA(HKEY_LOCAL_MACHINE, (std::string("Software\\Classes\\CLSID\\") + id).c_str());
    }
  }
  // Every helper runs the same server file, so all share its product name as title.
  static void AddHelper(const char* id) {
    const std::string server = BinFolder() + "\\kv_versioned_sample.exe";
    WriteRegText(HKEY_LOCAL_MACHINE, (std::string(kHelperObjectsKey) + id).c_str(), "", "");
    const std::string serverKey = std::string("Software\\Classes\\CLSID\\") + id + "\\InprocServer32";
    WriteRegText(HKEY_LOCAL_MACHINE, serverKey.c_str(), "", server.c_str());
  }
  static bool HelperListed(const char* id) {
    return RegKeyExists(HKEY_LOCAL_MACHINE, (std::string(kHelperObjectsKey) + id).c_str());
  }
};

}  // namespace

TEST_F(SweepIEHelpersTest, OneAnswerCoversHelpersOfOneTitleAndPolicyTwoRemoves) {
  WriteOption("IEHelpers", "1");
  ProgramRun& monitor = Launch("");
  const HWND window = WatchMonitor(monitor);
  AddHelper(kHelperIds[0]);
  AddHelper(kHelperIds[1]);
  const HWND alert = AlertNamed(monitor, window, "Versioned Sample");
  ASSERT_NE(nullptr, alert);
  EXPECT_TRUE(HistoryHas("IEHELPER_Alert\tTYPE_BHO\tVersioned Sample"));
  PressBoxButton(alert, IDYES);
  ASSERT_TRUE(WaitUntil([] {
    return ReadRegString(HKEY_CURRENT_USER, "Software\\Tamsel\\Korvane\\IEHelpers",
                         "Versioned Sample") == "900";
  }));
  RunSweepCycle(window);
  RunSweepCycle(window);
  ASSERT_TRUE(WaitMessagesHandled(window));
  EXPECT_EQ(nullptr, FindDialog(monitor.Id(), kAlertCaption)) << "the second shares the title";

  PostMessageA(window, WM_COMMAND, kMonitorExitCommand, 0);
  ASSERT_TRUE(monitor.WaitExit());
  WriteOption("HideIEHelper", "2");
  AddHelper(kHelperIds[2]);
  WriteSetting("Software\\Tamsel\\Korvane\\IEHelpers", "Versioned Sample", "0");
  ProgramRun& again = Launch("");
  const HWND second = WatchMonitor(again);
  ASSERT_TRUE(WaitUntil([&] {
    RunSweepCycle(second);
    return !HelperListed(kHelperIds[0]) && !HelperListed(kHelperIds[2]);
  }));
  EXPECT_EQ(nullptr, FindDialog(again.Id(), kAlertCaption));
  EXPECT_TRUE(HistoryHas("\tIEHELPER_Remove\tTYPE_BHO\tkv_versioned_sample.exe"));
}
