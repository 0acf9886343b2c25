// A machine-wide Run entry rejected by a monitor that may not write HKLM itself: the job
// started for administrator consent removes it, or, refused as well, nothing is recorded as
// done and the user is told.
#include <string>

#include "monitor_driver.h"
#include "sandbox.h"

namespace {

inline constexpr char kTitle[] = "SweepMachineProbe";
inline constexpr char kCommand[] = "C:\\Probe\\machineprobe.exe";
inline constexpr char kRemovedLine[] = "*START_Remove\tMACHINE_RUN\tSweepMachineProbe";
inline constexpr char kFault[] = "KORVANE_FAULT_MACHINE_ACTIONS";

class MachineJobTest : public MonitorTest {
 protected:
  void SetUp() override {
    MonitorTest::SetUp();
    RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kRunKey, kTitle);
    WriteOption("Start", "1");
    WriteOption("HideStartup", "2");  // rejected without a question
    // Stands for a standard user: the monitor's own attempts are refused.
    SetEnvironmentVariableA(kFault, "direct");
  }
  void TearDown() override {
    SetEnvironmentVariableA(kFault, nullptr);
    DenyKeyWrites(HKEY_LOCAL_MACHINE, kRunKey, false);
    MonitorTest::TearDown();
    RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kRunKey, kTitle);
  }
  static bool InMachineRun() { return RegValueExists(HKEY_LOCAL_MACHINE, kRunKey, kTitle); }
  static std::string Known() {
    return ReadRegString(HKEY_CURRENT_USER, kKnownStartupKey, kCommand);
  }
};

}  // namespace

TEST_F(MachineJobTest, RejectedMachineEntryIsRemovedByTheElevatedJob) {
  ProgramRun& monitor = Launch("");
  ASSERT_TRUE(monitor.CountStarts());
  const HWND window = WatchMonitor(monitor);
  WriteRegString(HKEY_LOCAL_MACHINE, kRunKey, kTitle, kCommand);
  ASSERT_TRUE(CyclesUntil(window, [] { return !InMachineRun(); }));
  EXPECT_TRUE(WaitHistoryHas(kRemovedLine));
  EXPECT_GE(monitor.Starts(), 2u) << "the monitor and the explorer's job";
}

TEST_F(MachineJobTest, RefusedJobRecordsNothingAndTellsTheUserOnce) {
  ProgramRun& monitor = Launch("");
  const HWND window = WatchMonitor(monitor);
  WriteRegString(HKEY_LOCAL_MACHINE, kRunKey, kTitle, kCommand);
  ASSERT_TRUE(DenyKeyWrites(HKEY_LOCAL_MACHINE, kRunKey, true));
  const HWND box = DialogAfterCycles(monitor, window, nullptr);
  ASSERT_NE(nullptr, box);
  const std::string text = BoxText(box);
  EXPECT_TRUE(Contains(text, std::string("could not remove the startup entry")) &&
              Contains(text, kTitle))
      << text;
  PressBoxButton(box, IDOK);
  EXPECT_TRUE(InMachineRun());
  EXPECT_FALSE(HistoryHas("*START_Remove"));
  EXPECT_EQ("", Known()) << "still unknown, so the next check asks again";

  ASSERT_TRUE(DenyKeyWrites(HKEY_LOCAL_MACHINE, kRunKey, false));
  ASSERT_TRUE(CyclesUntil(window, [] { return !InMachineRun(); }))
      << "once the job may write, the next check takes the entry away";
  EXPECT_TRUE(WaitHistoryHas(kRemovedLine));
}
