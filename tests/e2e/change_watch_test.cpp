// Changes the real monitor sees as they happen. Every watched category's interval is set far
// beyond a test's length and the test sends no tick, so only the change itself can explain a
// check: a value written in each watched place is answered by its category's policy, a burst
// of values is checked once, a deleted and re-made Run key stays watched, and a category
// switched off is not checked at all.
#include <string>
#include <vector>

#include "change_probes.h"
#include "monitor_driver.h"
#include "sandbox.h"

namespace {

inline constexpr char kFarInterval[] = "500";
inline constexpr const char* kWatchedIntervals[] = {"Start",    "IEHelpers", "StartPage",
                                                   "HostFile", "FileType",  "Tasks",
                                                   "Services"};
// A process the prefix starts could bring categories forward through the realtime trigger.
inline constexpr const char* kRealtimeSwitches[] = {
    "RealtimeStartup",   "RealtimeIEHelper", "RealtimeSysFiles", "RealtimeFileType",
    "RealtimeStartPage", "RealtimeHidden",   "RealtimeActiveX",  "RealtimeServices"};
inline constexpr char kStartupStep[] = "VERIFY: Startup Programs";
inline constexpr DWORD kSeenWithinMs = 5000;
// Each new entry is recorded and answered on its own: 500 take a while on a loaded machine.
inline constexpr DWORD kBurstAnsweredWithinMs = 60000;
inline constexpr int kBurstValues = 500;

inline constexpr char kMachineRunOnceKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
inline constexpr char kPolicyRunKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\policies\\Explorer\\Run";
inline constexpr char kWow64RunKey[] =
    "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kWinlogonKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
inline constexpr char kAppInitKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
inline constexpr char kDelayLoadKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\ShellServiceObjectDelayLoad";
inline constexpr char kIEMainKey[] = "Software\\Microsoft\\Internet Explorer\\Main";
inline constexpr char kStartPageValue[] = "Start Page";
inline constexpr char kProbeExtKey[] = "Software\\Classes\\.sbs";  // on the watched list
inline constexpr char kProbeClassKey[] = "Software\\Classes\\kvwatchfile";
inline constexpr char kProbeCommandKey[] = "Software\\Classes\\kvwatchfile\\shell\\open\\command";
inline constexpr char kViewerCommand[] = "C:\\Apps\\viewer.exe %1";
inline constexpr char kHostsBackup[] = "\\hosts.kvwatch";
inline constexpr char kStartupFile[] = "\\kvwatch.bat";
inline constexpr char kFileChangeCaption[] = "Korvane: File Change Alert";
inline constexpr int kRejectChange = 1209;

std::string Known(const std::string& command) {
  return ReadRegString(HKEY_CURRENT_USER, kKnownStartupKey, command.c_str());
}

bool KnownAs(const std::string& command, const char* code, DWORD withinMs = kSeenWithinMs) {
  return WaitUntil([&] { return Known(command) == code; }, withinMs);
}

std::string KnownItem(const char* snapshot, const char* title) {
  return ReadRegString(HKEY_CURRENT_USER, (std::string(kBaseKey) + "\\" + snapshot).c_str(),
                       title);
}

// One startup place: what is written there, and the command and location the check files.
struct StartupProbe {
  const char* place;
  HKEY root;
  const char* key;
  const char* value;
  const char* data;
  const char* command;
  const char* code;
};

const StartupProbe kRunProbes[] = {
    {"per-user Run", HKEY_CURRENT_USER, kRunKey, "KvWatchUser", "C:\\KvWatch\\user.exe /tray",
     "C:\\KvWatch\\user.exe /tray", "11"},
    {"machine Run", HKEY_LOCAL_MACHINE, kRunKey, "KvWatchMachine", "C:\\KvWatch\\machine.exe",
     "C:\\KvWatch\\machine.exe", "1"},
    {"machine RunOnce", HKEY_LOCAL_MACHINE, kMachineRunOnceKey, "KvWatchOnce",
     "C:\\KvWatch\\once.exe", "C:\\KvWatch\\once.exe", "2"},
    {"per-user policy Run, a key made by the write", HKEY_CURRENT_USER, kPolicyRunKey,
     "KvWatchPolicy", "C:\\KvWatch\\policy.exe", "C:\\KvWatch\\policy.exe", "17"},
    {"Winlogon Shell", HKEY_LOCAL_MACHINE, kWinlogonKey, "Shell",
     "explorer.exe C:\\KvWatch\\shell.exe", "C:\\KvWatch\\shell.exe", "251"},
    {"AppInit DLLs", HKEY_LOCAL_MACHINE, kAppInitKey, "AppInit_Dlls", "C:\\KvWatch\\appinit.dll",
     "C:\\KvWatch\\appinit.dll", "255"},
    {"shell service object", HKEY_LOCAL_MACHINE, kDelayLoadKey, "KvWatchHook", kProbeHookId,
     "C:\\KvWatch\\hook.dll", "252"},
};

void WriteProbe(HKEY root, const char* key, const char* value, const char* data) {
  WriteRegString(root, key, value, data);
}

class ChangeWatchTest : public MonitorTest {
 protected:
  void SetUp() override {
    MonitorTest::SetUp();
    for (const char* interval : kWatchedIntervals) WriteOption(interval, kFarInterval);
    for (const char* realtime : kRealtimeSwitches) WriteOption(realtime, "0");
    WriteOption("Debug", "1");
  }
  void TearDown() override {
    MonitorTest::TearDown();
    for (const StartupProbe& probe : kRunProbes)
      if (probe.key != kWinlogonKey && probe.key != kAppInitKey)
        RegDeleteKeyValueA(probe.root, probe.key, probe.value);
    RegDeleteKeyA(HKEY_CURRENT_USER, kPolicyRunKey);
    if (RegKeyExists(HKEY_LOCAL_MACHINE, kWow64RunKey))
      RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kWow64RunKey, "KvWatchView");
    RemoveProbeClass(kProbeHookId);
    DeleteFileA((UserStartupFolder() + kStartupFile).c_str());
  }
  // The monitor once its start-up step has run and its watcher has had time to arm.
  ProgramRun& LaunchWatching() {
    ProgramRun& monitor = Launch("");
    window_ = WatchMonitor(monitor);
    EXPECT_TRUE(WaitMessagesHandled(window_));
    Sleep(300);
    return monitor;
  }
  HWND window_ = nullptr;

 private:
  SavedValue shell_{HKEY_LOCAL_MACHINE, kWinlogonKey, "Shell"};
  SavedValue appInit_{HKEY_LOCAL_MACHINE, kAppInitKey, "AppInit_Dlls"};
  SavedWinIniLine winIniRun_{"run"};
};

}  // namespace

TEST_F(ChangeWatchTest, EveryStartupPlaceIsCheckedTheMomentItChanges) {
  WriteOption("HideStartup", "1");
  AddProbeClass(kProbeHookId, "C:\\KvWatch\\hook.dll");
  LaunchWatching();
  for (const StartupProbe& probe : kRunProbes) {
    WriteProbe(probe.root, probe.key, probe.value, probe.data);
    EXPECT_TRUE(KnownAs(probe.command, probe.code)) << probe.place;
  }
  if (RegKeyExists(HKEY_LOCAL_MACHINE, kWow64RunKey)) {
    WriteProbe(HKEY_LOCAL_MACHINE, kWow64RunKey, "KvWatchView", "C:\\KvWatch\\view.exe");
    EXPECT_TRUE(KnownAs("C:\\KvWatch\\view.exe", "21")) << "the 32-bit view's Run";
  }

  const std::string file = UserStartupFolder() + kStartupFile;
  CreateDirectoryA(UserStartupFolder().c_str(), nullptr);
  ASSERT_TRUE(WriteTextFile(file, "@exit\r\n"));
  EXPECT_TRUE(KnownAs(file, "200")) << "the per-user startup folder";

  ASSERT_TRUE(WriteProfileStringA("windows", "run", "C:\\KvWatch\\winrun.exe"));
  EXPECT_TRUE(KnownAs("C:\\KvWatch\\winrun.exe", "101")) << "win.ini run=";
}

class ChangeWatchCategoriesTest : public ChangeWatchTest {
 protected:
  void SetUp() override {
    ChangeWatchTest::SetUp();
    const std::string backup = BinFolder() + kHostsBackup;
    if (!PathExists(backup)) {
      ASSERT_TRUE(CopyFileA(HostsFilePath().c_str(), backup.c_str(), TRUE));
    }
  }
  void TearDown() override {
    ChangeWatchTest::TearDown();
    RemoveProbeService();
    RemoveProbeTask();
    RemoveProbeHelper();
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kProbeExtKey);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kProbeExtKey);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kProbeClassKey);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kProbeClassKey);
    const std::string backup = BinFolder() + kHostsBackup;
    SetFileAttributesA(HostsFilePath().c_str(), FILE_ATTRIBUTE_NORMAL);
    if (CopyFileA(backup.c_str(), HostsFilePath().c_str(), FALSE)) DeleteFileA(backup.c_str());
  }

 private:
  SavedValue startPage_{HKEY_CURRENT_USER, kIEMainKey, kStartPageValue};
};

TEST_F(ChangeWatchCategoriesTest, EveryOtherWatchedCategoryIsCheckedTheMomentItChanges) {
  for (const char* policy : {"HideIEHelper", "HideServices", "HideTasks", "HideHomePage"})
    WriteOption(policy, "1");
  WriteOption("LockFileTypes", "1");
  WriteSetting(kIEMainKey, kStartPageValue, "http://home.example/");
  WriteSetting(kBaseKey, "StartPage", "http://home.example/");
  WriteRegString(HKEY_LOCAL_MACHINE, kProbeExtKey, "", "kvwatchfile");
  WriteRegString(HKEY_LOCAL_MACHINE, kProbeCommandKey, "", kViewerCommand);
  const std::string hosts = FileText(HostsFilePath());
  ProgramRun& monitor = LaunchWatching();

  ASSERT_TRUE(AddProbeHelper());
  EXPECT_TRUE(WaitUntil([] { return KnownItem("IEHelpers", kProbeHelperTitle) == "900"; },
                        kSeenWithinMs));
  ASSERT_TRUE(AddProbeService());
  // Services are known by their key's name.
  EXPECT_TRUE(WaitUntil([] { return KnownItem("Services\\Keys", kProbeServiceName) == "700"; },
                        kSeenWithinMs));
  ASSERT_TRUE(AddProbeTask());
  EXPECT_TRUE(
      WaitUntil([] { return KnownItem("Tasks", kProbeTaskTitle) == "800"; }, kSeenWithinMs));
  WriteSetting(kIEMainKey, kStartPageValue, "http://watch.example/");
  EXPECT_TRUE(WaitUntil(
      [] { return ReadRegString(HKEY_CURRENT_USER, kBaseKey, "StartPage") == "http://watch.example/"; },
      kSeenWithinMs));
  WriteRegString(HKEY_LOCAL_MACHINE, kProbeCommandKey, "", "C:\\Apps\\hijack.exe %1");
  EXPECT_TRUE(WaitUntil(
      [] { return ReadRegString(HKEY_LOCAL_MACHINE, kProbeCommandKey, "") == kViewerCommand; },
      kSeenWithinMs))
      << "a locked file type is put back";
  // A policy answers HOSTS without touching it; the alert shows the check ran.
  ASSERT_TRUE(WriteTextFile(HostsFilePath(), hosts + "10.9.9.9 bank.example\r\n"));
  const HWND alert = WaitDialog(monitor.Id(), kFileChangeCaption, kSeenWithinMs);
  ASSERT_NE(nullptr, alert);
  PressBoxButton(alert, kRejectChange);
  EXPECT_TRUE(WaitUntil([&] { return FileText(HostsFilePath()) == hosts; }));
}

TEST_F(ChangeWatchTest, AnInstallerWritingFiveHundredValuesGetsOneCheck) {
  WriteOption("HideStartup", "1");
  LaunchWatching();
  HKEY run = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0,
                                           KEY_SET_VALUE, nullptr, &run, nullptr));
  std::vector<std::string> commands;
  for (int i = 0; i < kBurstValues; ++i) {
    const std::string name = "KvBurst" + std::to_string(i);
    commands.push_back("C:\\KvBurst\\tool" + std::to_string(i) + ".exe");
    RegSetValueExA(run, name.c_str(), 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(commands.back().c_str()),
                   static_cast<DWORD>(commands.back().size() + 1));
  }
  EXPECT_TRUE(KnownAs(commands.back(), "11", kBurstAnsweredWithinMs));
  EXPECT_EQ("11", Known(commands.front()));
  Sleep(1500);  // long enough for a second check to come, were there one
  ASSERT_TRUE(WaitMessagesHandled(window_));
  // The monitor rewrites the trace file whole: a read can meet it half written.
  EXPECT_TRUE(WaitUntil([] { return TraceCount(kStartupStep) == 1; }))
      << TraceCount(kStartupStep) << " checks";
  for (int i = 0; i < kBurstValues; ++i)
    RegDeleteValueA(run, ("KvBurst" + std::to_string(i)).c_str());
  RegCloseKey(run);
}

TEST_F(ChangeWatchTest, ARunKeyDeletedAndMadeAgainIsStillWatched) {
  WriteOption("HideStartup", "1");
  LaunchWatching();
  ASSERT_EQ(ERROR_SUCCESS, RegDeleteTreeA(HKEY_CURRENT_USER, kRunKey));
  ASSERT_FALSE(RegKeyExists(HKEY_CURRENT_USER, kRunKey));
  Sleep(1000);
  HKEY run = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0,
                                           KEY_SET_VALUE, nullptr, &run, nullptr));
  RegCloseKey(run);
  Sleep(1000);
  const int checksBefore = TraceCount(kStartupStep);
  const StartupProbe& probe = kRunProbes[0];
  WriteProbe(probe.root, probe.key, probe.value, probe.data);
  EXPECT_TRUE(KnownAs(probe.command, probe.code));
  EXPECT_TRUE(WaitUntil([&] { return TraceCount(kStartupStep) > checksBefore; }));
}

TEST_F(ChangeWatchTest, ACategorySwitchedOffIsNeitherWatchedNorChecked) {
  WriteOption("Start", "0");
  WriteOption("HideStartup", "1");
  WriteOption("HideHomePage", "1");
  WriteSetting(kBaseKey, "StartPage", "http://home.example/");
  SavedValue startPage(HKEY_CURRENT_USER, kIEMainKey, kStartPageValue);
  WriteSetting(kIEMainKey, kStartPageValue, "http://home.example/");
  LaunchWatching();
  const StartupProbe& probe = kRunProbes[0];
  WriteProbe(probe.root, probe.key, probe.value, probe.data);
  WriteSetting(kIEMainKey, kStartPageValue, "http://watch.example/");
  EXPECT_TRUE(WaitUntil(
      [] { return ReadRegString(HKEY_CURRENT_USER, kBaseKey, "StartPage") == "http://watch.example/"; },
      kSeenWithinMs))
      << "the pages are watched in the same run";
  Sleep(1500);
  ASSERT_TRUE(WaitMessagesHandled(window_));
  EXPECT_EQ(0, TraceCount(kStartupStep));
  EXPECT_EQ("", Known(probe.command));
}

// A system file on a drive that does not exist: neither its folder nor any above it can be
// watched, so the file is left to the timer, and the trace says so once.
TEST_F(ChangeWatchTest, APlaceThatCannotBeWatchedIsLeftToTheTimerAndTraced) {
  WriteRegString(HKEY_LOCAL_MACHINE, "Software\\Tamsel\\Korvane\\Sysfiles", "", "kept");
  WriteRegString(HKEY_LOCAL_MACHINE, "Software\\Tamsel\\Korvane\\Sysfiles\\KvLost", "Location",
                 "Q:\\KvLost\\lost.sys");
  LaunchWatching();
  const char* const line = "WATCH: Q:\\KvLost can not be watched: left to the timer";
  EXPECT_TRUE(WaitUntil([&] { return TraceCount(line) == 1; }));
  EXPECT_EQ(0, TraceCount("every place"));
}
