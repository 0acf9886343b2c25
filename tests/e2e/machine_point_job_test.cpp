// A machine-wide autostart point (an IFEO debugger under HKLM) rejected by a monitor that may
// not write HKLM itself: refused by the key as well, the user is told once, nothing is recorded
// and the entry stays unknown; once the key may be written the elevated job takes it out and
// the monitor writes the line.
#include <string>

#include "monitor_driver.h"
#include "sandbox.h"

namespace {

inline constexpr char kImage[] = "kvpointprobe.exe";
inline constexpr char kIfeoKey[] =
    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Image File Execution Options\\"
    "kvpointprobe.exe";
inline constexpr char kDebugger[] = "C:\\Probe\\pointdebugger.exe";
inline constexpr char kRemovedLine[] = "*START_Remove\tREG_IFEODebugger\tkvpointprobe.exe";
inline constexpr char kFault[] = "KORVANE_FAULT_MACHINE_ACTIONS";

class MachinePointJobTest : public MonitorTest {
 protected:
  void SetUp() override {
    MonitorTest::SetUp();
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kIfeoKey);
    WriteOption("Start", "1");
    WriteOption("HideStartup", "2");  // rejected without a question
    SetEnvironmentVariableA(kFault, "direct");
  }
  void TearDown() override {
    SetEnvironmentVariableA(kFault, nullptr);
    DenyKeyWrites(HKEY_LOCAL_MACHINE, kIfeoKey, false);
    MonitorTest::TearDown();
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kIfeoKey);
  }
  static bool Held() { return RegValueExists(HKEY_LOCAL_MACHINE, kIfeoKey, "Debugger"); }
};

}  // namespace

TEST_F(MachinePointJobTest, RefusedRemovalIsToldOnceThenTheJobTakesTheDebuggerOut) {
  ProgramRun& monitor = Launch("");
  ASSERT_TRUE(monitor.CountStarts());
  const HWND window = WatchMonitor(monitor);
  WriteRegString(HKEY_LOCAL_MACHINE, kIfeoKey, "Debugger", kDebugger);
  ASSERT_TRUE(DenyKeyWrites(HKEY_LOCAL_MACHINE, kIfeoKey, true));
  const HWND box = DialogAfterCycles(monitor, window, nullptr);
  ASSERT_NE(nullptr, box);
  const std::string text = BoxText(box);
  EXPECT_TRUE(Contains(text, std::string("could not remove the autostart entry")) &&
              Contains(text, kImage))
      << text;
  PressBoxButton(box, IDOK);
  EXPECT_TRUE(Held());
  EXPECT_FALSE(HistoryHas("*START_Remove"));
  EXPECT_EQ("", ReadRegString(HKEY_CURRENT_USER, kKnownStartupKey, kDebugger))
      << "still unknown, so the next check asks again";

  ASSERT_TRUE(DenyKeyWrites(HKEY_LOCAL_MACHINE, kIfeoKey, false));
  ASSERT_TRUE(CyclesUntil(window, [] { return !Held(); }))
      << "once the job may write, the next check takes the entry away";
  EXPECT_TRUE(WaitHistoryHas(kRemovedLine)) << FileText(HistoryFilePath());
  EXPECT_GE(monitor.Starts(), 2u) << "the monitor and the explorer's job";
}
