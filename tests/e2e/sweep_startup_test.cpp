// A new per-user Run entry found by the sweep: the alert and what each answer or policy does;
// and when cycles run: the express-boot hold and the realtime trigger.
#include <string>

#include "monitor_driver.h"
#include "sandbox.h"

namespace {

inline constexpr char kProbeTitle[] = "SweepProbe";
inline constexpr char kProbeCommand[] = "C:\\Probe\\sweepprobe.exe /quiet";
inline constexpr char kRemovedLine[] = "*START_Remove\tCURRENT_RUN\tSweepProbe";
inline constexpr int kCommandField = 1026;
inline constexpr int kMessageField = 1036;
inline constexpr UINT kRealtimeMessage = 9024;
inline constexpr char kBackCaption[] = "This Program doesn't want to be Delayed";
inline constexpr char kDelayedMarker[] = "1103";

class SweepStartupTest : public MonitorTest {
 protected:
  void SetUp() override {
    MonitorTest::SetUp();
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kRunKey, kProbeTitle);
    WriteOption("Start", "1");  // the startup check on every first-half cycle
  }
  void TearDown() override {
    MonitorTest::TearDown();
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kRunKey, kProbeTitle);
  }
  static void AddProbe() { WriteSetting(kRunKey, kProbeTitle, kProbeCommand); }
  static std::string Known() {
    return ReadRegString(HKEY_CURRENT_USER, kKnownStartupKey, kProbeCommand);
  }
  static std::string DisabledCode() {
    return ReadRegString(HKEY_LOCAL_MACHINE, "Software\\Tamsel\\Korvane\\Disabled", kProbeTitle);
  }
  static bool ProbeInRun() { return RegValueExists(HKEY_CURRENT_USER, kRunKey, kProbeTitle); }
};

}  // namespace

// Alerts for one command in a row count: the third one disables whatever the answer.
TEST_F(SweepStartupTest, RunEntryAnsweredYesThenNoThenDisabledTheThirdTime) {
  ProgramRun& monitor = Launch("");
  ASSERT_TRUE(monitor.CountStarts());
  const HWND window = WatchMonitor(monitor);
  AddProbe();
  HWND alert = DialogAfterCycles(monitor, window, kAlertCaption);
  ASSERT_NE(nullptr, alert);
  EXPECT_EQ(kProbeCommand, DialogItemText(alert, kCommandField));
  const std::string message = DialogItemText(alert, kMessageField);
  EXPECT_TRUE(Contains(message, "has detected a new program")) << message;
  EXPECT_FALSE(Contains(message, "%s")) << message;
  EXPECT_TRUE(WaitHistoryHas("START_Alert\tCURRENT_RUN"));
  PressBoxButton(alert, IDYES);
  EXPECT_TRUE(WaitUntil([] { return Known() == "11"; }));
  EXPECT_TRUE(ProbeInRun());
  EXPECT_FALSE(HistoryHas("*START_Remove"));

  RegDeleteKeyValueA(HKEY_CURRENT_USER, kKnownStartupKey, kProbeCommand);
  alert = DialogAfterCycles(monitor, window, kAlertCaption);
  ASSERT_NE(nullptr, alert);
  PressBoxButton(alert, IDNO);
  ASSERT_TRUE(WaitUntil([] { return !ProbeInRun(); }));
  EXPECT_TRUE(WaitHistoryHas(kRemovedLine));
  EXPECT_EQ("", Known());
  EXPECT_EQ("", DisabledCode());

  AddProbe();
  alert = DialogAfterCycles(monitor, window, kAlertCaption);
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
  ProgramRun& first = Launch("");
  HWND window = WatchMonitor(first);
  AddProbe();
  ASSERT_TRUE(CyclesUntil(window, [] { return Known() == "11"; }));
  EXPECT_EQ(nullptr, FindDialog(first.Id(), kAlertCaption));
  EXPECT_TRUE(ProbeInRun());
  PostMessageA(window, WM_COMMAND, kMonitorExitCommand, 0);
  ASSERT_TRUE(first.WaitExit());

  RegDeleteKeyValueA(HKEY_CURRENT_USER, kKnownStartupKey, kProbeCommand);
  WriteOption("HideStartup", "2");
  ProgramRun& second = Launch("");
  window = WatchMonitor(second);
  ASSERT_TRUE(CyclesUntil(window, [] { return !ProbeInRun(); }));
  EXPECT_EQ(nullptr, FindDialog(second.Id(), kAlertCaption));
  EXPECT_EQ("", Known());
  EXPECT_TRUE(WaitHistoryHas(kRemovedLine));
  EXPECT_FALSE(HistoryHas("START_Alert"));
}

// A delayed program that put itself back into startup gets its own question, no history.
TEST_F(SweepStartupTest, DelayedProgramBackInStartupIsKeptOrDisabled) {
  ProgramRun& monitor = Launch("");
  const HWND window = WatchMonitor(monitor);
  AddProbe();
  WriteSetting(kKnownStartupKey, kProbeCommand, kDelayedMarker);
  HWND alert = DialogAfterCycles(monitor, window, kBackCaption);
  ASSERT_NE(nullptr, alert);
  EXPECT_EQ(nullptr, FindDialog(monitor.Id(), kAlertCaption));
  PressBoxButton(alert, IDYES);
  EXPECT_TRUE(WaitUntil([] { return Known() == "11"; }));
  EXPECT_TRUE(ProbeInRun());

  WriteSetting(kKnownStartupKey, kProbeCommand, kDelayedMarker);
  alert = DialogAfterCycles(monitor, window, kBackCaption);
  ASSERT_NE(nullptr, alert);
  PressBoxButton(alert, IDNO);  // "Disable"
  EXPECT_TRUE(WaitUntil([] { return DisabledCode() == "11"; }));
  EXPECT_FALSE(ProbeInRun());
  EXPECT_FALSE(HistoryHas("START_Alert"));
}

TEST_F(MonitorTest, ExpressBootHoldsTheFirstCycleToTick45AndRealtimeBringsTheStartupCheck) {
  WriteOption("Debug", "1");
  WriteOption("Start", "5");  // not due in the first cycle on its own
  const HWND window = WatchMonitor(Launch("-expressboot"));
  WaitCycleGap();
  // Well past 17 ticks, yet short of 45 even with the few the real timer adds meanwhile.
  SendTicks(window, 40);
  ASSERT_TRUE(WaitMessagesHandled(window));
  EXPECT_EQ(0, TraceCount("Verify Automatica Updates"));
  SendTicks(window, 5);
  EXPECT_TRUE(WaitUntil([] { return TraceCount("Verify Automatica Updates") > 0; }));
  ASSERT_TRUE(WaitMessagesHandled(window));
  EXPECT_EQ(0, TraceCount("VERIFY: Startup Programs"));

  const auto realtimeTick = [&] {
    PostMessageA(window, kRealtimeMessage, 0, 0);
    SendTicks(window, 1);
  };
  WaitCycleGap();
  realtimeTick();  // the first count differs from none: a change
  SendTicks(window, 1);
  EXPECT_TRUE(WaitUntil([] { return TraceCount("VERIFY: Startup Programs") > 0; }));
  // A notification on four ticks running: the fourth is skipped as a conflict.
  EXPECT_TRUE(WaitUntil([&] {
    for (int i = 0; i < 4; ++i) realtimeTick();
    return WaitUntil([] { return TraceCount("RID: Possible System Conflict") > 0; }, 1000);
  }));
}
