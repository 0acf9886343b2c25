// Commands sent to a running monitor's window: tray visibility, shell restart, autostart.
#include <string>

#include "monitor_driver.h"
#include "sandbox.h"

namespace {

inline constexpr int kTrayVisibilityCommand = 6053;
inline constexpr int kToggleAutostartCommand = 6031;

}  // namespace

TEST_F(MonitorTest, TrayVisibilityCommandAndTaskbarRestartShowTheIcon) {
  ProgramRun& monitor = Launch("");
  const HWND window = MonitorWindowOf(monitor.Id());
  ASSERT_TRUE(WaitUntil([&] { return TrayIconShown(window); }));
  PostMessageA(window, WM_COMMAND, kTrayVisibilityCommand, 1);
  EXPECT_TRUE(WaitUntil([&] { return !TrayIconShown(window); }));
  PostMessageA(window, WM_COMMAND, kTrayVisibilityCommand, 0);
  EXPECT_TRUE(WaitUntil([&] { return TrayIconShown(window); }));

  TrayIconForget(window);
  ASSERT_FALSE(TrayIconShown(window));
  PostMessageA(window, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return TrayIconShown(window); }));
}

TEST_F(MonitorTest, AutostartCommandRegistersTheMonitorAsKnown) {
  // A store that has seen a run of this version already, so no first run puts autostart on.
  WriteSetting(kBaseKey, "", "2008-02-15 10:00");
  WriteSetting(kBaseKey, "Version", "15.2.2008.0");
  ProgramRun& monitor = Launch("");
  ASSERT_EQ("", ReadRegString(HKEY_LOCAL_MACHINE, kMachineRunKey, "Korvane"));
  PostMessageA(MonitorWindowOf(monitor.Id()), WM_COMMAND, kToggleAutostartCommand, 0);
  // The monitor writes the Run value first and marks it known after: wait for both.
  EXPECT_TRUE(WaitUntil([] {
    return ReadRegString(HKEY_LOCAL_MACHINE, kMachineRunKey, "Korvane") == AutostartCommand() &&
           ReadRegString(HKEY_CURRENT_USER, kKnownStartupKey, AutostartCommand().c_str()) == "1";
  }));
}
