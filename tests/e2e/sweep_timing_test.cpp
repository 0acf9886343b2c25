// When cycles run: the express-boot hold.
#include <string>

#include "monitor_driver.h"

namespace {

inline constexpr char kCycleMark[] = "Verify Automatica Updates";

bool CycleTraced() {
  return ReadTextFile(TraceFilePath()).find(kCycleMark) != std::string::npos;
}

}  // namespace

TEST_F(MonitorTest, ExpressBootHoldsTheFirstCycleUntilTick45) {
  WriteOption("Debug", "1");
  ProgramRun& monitor = Launch("-expressboot");
  const HWND window = MonitorWindowOf(monitor.Id());
  ASSERT_TRUE(WaitUntil([&] { return TrayIconShown(window); }));
  WaitCycleGap();
  // Well past 17 ticks, yet short of 45 even with the few the real timer adds meanwhile.
  SendTicks(window, 40);
  ASSERT_TRUE(WaitMessagesHandled(window));
  EXPECT_FALSE(CycleTraced());
  SendTicks(window, 5);
  EXPECT_TRUE(WaitUntil(CycleTraced));
}
