// When cycles run: the express-boot hold and the realtime trigger.
#include <string>

#include "monitor_driver.h"

namespace {

inline constexpr UINT kRealtimeMessage = 9024;

bool Traced(const char* text) {
  return ReadTextFile(TraceFilePath()).find(text) != std::string::npos;
}

bool CycleTraced() { return Traced("Verify Automatica Updates"); }

HWND WatchingWindow(const ProgramRun& monitor) {
  const HWND window = MonitorWindowOf(monitor.Id());
  EXPECT_TRUE(WaitUntil([&] { return TrayIconShown(window); }));
  return window;
}

void SendRealtimeTick(HWND window) {
  PostMessageA(window, kRealtimeMessage, 0, 0);
  SendTicks(window, 1);
}

}  // namespace

TEST_F(MonitorTest, ExpressBootHoldsTheFirstCycleUntilTick45) {
  WriteOption("Debug", "1");
  const HWND window = WatchingWindow(Launch("-expressboot"));
  WaitCycleGap();
  // Well past 17 ticks, yet short of 45 even with the few the real timer adds meanwhile.
  SendTicks(window, 40);
  ASSERT_TRUE(WaitMessagesHandled(window));
  EXPECT_FALSE(CycleTraced());
  SendTicks(window, 5);
  EXPECT_TRUE(WaitUntil(CycleTraced));
}

TEST_F(MonitorTest, RealtimeNotificationBringsTheStartupCheckForwardAndIsRationed) {
  WriteOption("Debug", "1");
  WriteOption("Start", "5");  // not due in the first cycle on its own
  const HWND window = WatchingWindow(Launch(""));
  WaitCycleGap();
  SendRealtimeTick(window);  // the first count differs from none: a change
  SendTicks(window, 1);
  EXPECT_TRUE(WaitUntil([] { return Traced("VERIFY: Startup Programs"); }));
  // A notification on four ticks running: the fourth is skipped as a conflict.
  EXPECT_TRUE(WaitUntil([&] {
    for (int i = 0; i < 4; ++i) SendRealtimeTick(window);
    return WaitUntil([] { return Traced("RID: Possible System Conflict"); }, 1000);
  }));
}
