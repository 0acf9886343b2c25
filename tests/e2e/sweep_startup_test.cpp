// A new per-user Run entry found by the sweep: the alert and what each answer or policy does.
#include <string>

#include "monitor_driver.h"
#include "sandbox.h"

namespace {

inline constexpr char kUserRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kProbeTitle[] = "SweepProbe";
inline constexpr char kProbeCommand[] = "C:\\Probe\\sweepprobe.exe /quiet";
inline constexpr char kBackCaption[] = "This Program doesn't want to be Delayed";
inline constexpr char kDelayedMarker[] = "1103";
inline constexpr int kCommandField = 1026;
inline constexpr int kMessageField = 1036;

class SweepStartupTest : public MonitorTest {
 protected:
  void SetUp() override {
    MonitorTest::SetUp();
    Forget();
    WriteOption("Start", "1");  // the startup check on every first-half cycle
  }
  void TearDown() override {
    MonitorTest::TearDown();
    Forget();
  }
  static void Forget() {
    RegKey run;
    if (run.Open(HKEY_CURRENT_USER, kUserRunKey, KEY_SET_VALUE))
      RegDeleteValueA(run.get(), kProbeTitle);
    DeleteFileA(HistoryFilePath().c_str());
  }
  static void AddProbe() { WriteSetting(kUserRunKey, kProbeTitle, kProbeCommand); }
  static HWND AlertAfterCycles(const ProgramRun& monitor, HWND window,
                               const char* caption = kAlertCaption) {
    return DialogAfterCycles(monitor, window, caption);
  }
  static std::string Known() {
    return ReadRegString(HKEY_CURRENT_USER, kKnownStartupKey, kProbeCommand);
  }
  static std::string DisabledCode() {
    return ReadRegString(HKEY_LOCAL_MACHINE, "Software\\Tamsel\\Korvane\\Disabled", kProbeTitle);
  }
  static bool ProbeInRun() { return RegValueExists(HKEY_CURRENT_USER, kUserRunKey, kProbeTitle); }
};

}  // namespace

TEST_F(SweepStartupTest, YesRemembersTheEntryUnderItsLocation) {
  ProgramRun& monitor = Launch("");
  const HWND window = WatchMonitor(monitor);
  AddProbe();
  const HWND alert = AlertAfterCycles(monitor, window);
  ASSERT_NE(nullptr, alert);
  EXPECT_EQ(kProbeCommand, DialogItemText(alert, kCommandField));
  const std::string message = DialogItemText(alert, kMessageField);
  EXPECT_NE(std::string::npos, message.find("has detected a new program")) << message;
  EXPECT_EQ(std::string::npos, message.find("%s")) << message;
  EXPECT_TRUE(HistoryHas("START_Alert\tCURRENT_RUN"));
  PressBoxButton(alert, IDYES);
  EXPECT_TRUE(WaitUntil([] { return Known() == "11"; }));
  EXPECT_TRUE(ProbeInRun());
  EXPECT_FALSE(HistoryHas("*START_Remove"));
}

TEST_F(SweepStartupTest, NoRemovesAndAThirdAlertForTheSameCommandDisables) {
  ProgramRun& monitor = Launch("");
  ASSERT_TRUE(monitor.CountStarts());
  const HWND window = WatchMonitor(monitor);
  for (int round = 1; round <= 2; ++round) {
    AddProbe();
    const HWND alert = AlertAfterCycles(monitor, window);
    ASSERT_NE(nullptr, alert) << "round " << round;
    PressBoxButton(alert, IDNO);
    ASSERT_TRUE(WaitUntil([] { return !ProbeInRun(); })) << "round " << round;
    EXPECT_TRUE(HistoryHas("*START_Remove\tCURRENT_RUN\tSweepProbe"));
    EXPECT_EQ("", Known());
    EXPECT_EQ("", DisabledCode());
  }
  AddProbe();
  const HWND alert = AlertAfterCycles(monitor, window);
  ASSERT_NE(nullptr, alert);
  const DWORD startsBefore = monitor.Starts();
  PressBoxButton(alert, IDNO);
  // A program that keeps coming back is disabled, so the explorer can bring it back.
  EXPECT_TRUE(WaitUntil([] { return DisabledCode() == "11"; }));
  EXPECT_FALSE(ProbeInRun());
  EXPECT_EQ("11", Known());
  EXPECT_EQ(kProbeCommand, ReadRegString(HKEY_LOCAL_MACHINE,
                                         "Software\\Tamsel\\Korvane\\Disabled\\Run", kProbeTitle));
  EXPECT_GT(monitor.Starts(), startsBefore) << "the help page is handed to the browser";
}

TEST_F(SweepStartupTest, PoliciesAnswerWithoutAWindow) {
  WriteOption("HideStartup", "1");
  {
    ProgramRun& monitor = Launch("");
    const HWND window = WatchMonitor(monitor);
    AddProbe();
    ASSERT_TRUE(WaitUntil([&] {
      RunSweepCycle(window);
      return Known() == "11";
    }));
    EXPECT_EQ(nullptr, FindDialog(monitor.Id(), kAlertCaption));
    EXPECT_TRUE(ProbeInRun());
    EXPECT_FALSE(HistoryHas("START_Alert"));
    PostMessageA(window, WM_COMMAND, kMonitorExitCommand, 0);
    ASSERT_TRUE(monitor.WaitExit());
  }
  RegKey known;
  ASSERT_TRUE(known.Open(HKEY_CURRENT_USER, kKnownStartupKey, KEY_SET_VALUE));
  RegDeleteValueA(known.get(), kProbeCommand);
  WriteOption("HideStartup", "2");
  ProgramRun& monitor = Launch("");
  const HWND window = WatchMonitor(monitor);
  ASSERT_TRUE(WaitUntil([&] {
    RunSweepCycle(window);
    return !ProbeInRun();
  }));
  EXPECT_EQ(nullptr, FindDialog(monitor.Id(), kAlertCaption));
  EXPECT_EQ("", Known());
  EXPECT_TRUE(HistoryHas("*START_Remove\tCURRENT_RUN\tSweepProbe"));
  EXPECT_FALSE(HistoryHas("START_Alert"));
}

TEST_F(SweepStartupTest, DelayedProgramBackInStartupIsKeptOrDisabled) {
  ProgramRun& monitor = Launch("");
  const HWND window = WatchMonitor(monitor);
  AddProbe();
  WriteSetting(kKnownStartupKey, kProbeCommand, kDelayedMarker);
  HWND alert = AlertAfterCycles(monitor, window, kBackCaption);
  ASSERT_NE(nullptr, alert);
  EXPECT_EQ(nullptr, FindDialog(monitor.Id(), kAlertCaption));
  PressBoxButton(alert, IDYES);
  EXPECT_TRUE(WaitUntil([] { return Known() == "11"; }));
  EXPECT_TRUE(ProbeInRun());

  WriteSetting(kKnownStartupKey, kProbeCommand, kDelayedMarker);
  alert = AlertAfterCycles(monitor, window, kBackCaption);
  ASSERT_NE(nullptr, alert);
  PressBoxButton(alert, IDNO);  // "Disable"
  EXPECT_TRUE(WaitUntil([] { return DisabledCode() == "11"; }));
  EXPECT_FALSE(ProbeInRun());
  EXPECT_EQ("11", Known());
  EXPECT_FALSE(HistoryHas("START_Alert")) << "the back-in-startup alert writes no history";
}
