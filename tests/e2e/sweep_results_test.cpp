// Results that must hold through the real monitor: commands with '=' are found by the answer
// that rejects them and are not asked about again when unchanged; an exit while an alert is
// open ends the cycle first; a switched-off category is not brought forward by the realtime
// trigger.
#include <windows.h>

#include <string>

#include "categories/file_types.h"
#include "monitor_driver.h"
#include "sandbox.h"

namespace {

inline constexpr char kFileTypeCaption[] = "Korvane File Type Change Alert";
inline constexpr char kHelperKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects\\"
    "{6B1D0C11-0000-4000-8000-00000000AB0E}";
inline constexpr char kHelperServerKey[] =
    "Software\\Classes\\CLSID\\{6B1D0C11-0000-4000-8000-00000000AB0E}\\InprocServer32";
inline constexpr char kTypeExtKey[] = "Software\\Classes\\.kveq";
inline constexpr char kTypeClassKey[] = "Software\\Classes\\kveqfile";
inline constexpr char kTypeCommandKey[] = "Software\\Classes\\kveqfile\\shell\\open\\command";
inline constexpr char kWinIniItem[] = "C:\\Probe=1\\winiprobe.exe";
inline constexpr char kProbeTitle[] = "ExitProbe";
inline constexpr UINT kRealtimeMessage = 9024;

std::string WinIniRun() {
  char text[1024] = "";
  GetProfileStringA("windows", "run", "", text, sizeof text);
  return text;
}

class SweepResultsTest : public MonitorTest {
 protected:
  void SetUp() override {
    MonitorTest::SetUp();
    char old[1024] = "";
    hadRun_ = GetProfileStringA("windows", "run", "\x01", old, sizeof old) > 0 && old[0] != 1;
    oldRun_ = old;
  }
  void TearDown() override {
    MonitorTest::TearDown();
    WriteProfileStringA("windows", "run", hadRun_ ? oldRun_.c_str() : nullptr);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kHelperKey);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kHelperKey);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\Classes\\CLSID\\"
                                       "{6B1D0C11-0000-4000-8000-00000000AB0E}");
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kTypeExtKey);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kTypeClassKey);
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kRunKey, kProbeTitle);
  }

 private:
  bool hadRun_ = false;
  std::string oldRun_;
};

}  // namespace

TEST_F(SweepResultsTest, CommandsWithAnEqualsSignAreRemovedOrKeptQuiet) {
  for (const char* option : {"Start", "IEHelpers", "FileType"}) WriteOption(option, "1");
  WriteOption("HideStartup", "2");
  WriteOption("HideIEHelper", "2");
  ProgramRun& monitor = Launch("");
  const HWND window = WatchMonitor(monitor);
  // New since the first run's snapshots and the file-type store.
  WriteRegString(HKEY_LOCAL_MACHINE, kTypeExtKey, "", "kveqfile");
  WriteRegString(HKEY_LOCAL_MACHINE, kTypeCommandKey, "",
                 "\"C:\\Probe Apps\\viewer.exe\" /mode=fast \"%1\"");
  ASSERT_EQ(0, AddWatchedFileType("KVEQ"));
  WriteProfileStringA("windows", "run", kWinIniItem);
  WriteRegString(HKEY_LOCAL_MACHINE, kHelperKey, "", "");
  WriteRegString(HKEY_LOCAL_MACHINE, kHelperServerKey, "", "C:\\Probe=1\\helper.dll");
  EXPECT_TRUE(CyclesUntil(window, [] {
    return WinIniRun().empty() && !RegKeyExists(HKEY_LOCAL_MACHINE, kHelperKey);
  })) << "win.ini run: " << WinIniRun();
  EXPECT_TRUE(HistoryHas(std::string("*START_Remove\tWIN_RUN")));
  EXPECT_TRUE(QuietForTwoCycles(monitor, window, kFileTypeCaption));
}

// The cycle ends before the monitor does: the open alert closes unanswered, the categories
// after it are not visited, and the entry is left as it was, to be asked about next time.
TEST_F(SweepResultsTest, ExitWhileAnAlertIsOpenEndsTheCycleFirst) {
  WriteOption("Debug", "1");
  for (const char* option : {"Start", "IEHelpers"}) WriteOption(option, "1");
  ProgramRun& monitor = Launch("");
  const HWND window = WatchMonitor(monitor);
  WriteSetting(kRunKey, kProbeTitle, "C:\\Probe\\exitprobe.exe");
  HWND alert = DialogAfterCycles(monitor, window, kAlertCaption);
  ASSERT_NE(nullptr, alert);
  const int helpersVisited = TraceCount("VERIFY: IE Helpers");

  ProgramRun second;
  ASSERT_TRUE(second.Start("Korvane.exe", "-Q"));
  // The exit first closes the alert and lets the cycle end, which a loaded machine stretches.
  EXPECT_TRUE(second.WaitExit(3 * kWaitMs));
  ASSERT_TRUE(monitor.WaitExit(3 * kWaitMs));
  EXPECT_EQ(0u, monitor.ExitCode());
  EXPECT_EQ(helpersVisited, TraceCount("VERIFY: IE Helpers"));
  EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, kRunKey, kProbeTitle));
  EXPECT_FALSE(HistoryHas("*START_Remove"));
  EXPECT_EQ("", ReadRegString(HKEY_CURRENT_USER, kKnownStartupKey, "C:\\Probe\\exitprobe.exe"));
}

TEST_F(MonitorTest, RealtimeTriggerLeavesASwitchedOffCategoryOff) {
  WriteOption("Debug", "1");
  WriteOption("Start", "0");
  WriteOption("RealtimeStartup", "1");
  const HWND window = WatchMonitor(Launch(""));
  WaitCycleGap();
  PostMessageA(window, kRealtimeMessage, 0, 0);
  SendTicks(window, 2);  // the first count differs from none: the next tick runs a cycle
  EXPECT_TRUE(WaitUntil([] { return TraceCount("Verify Automatica Updates") > 0; }));
  ASSERT_TRUE(WaitMessagesHandled(window));
  EXPECT_EQ(0, TraceCount("VERIFY: Startup Programs"));
}
