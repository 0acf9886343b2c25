// Starts with a monitor already running, or with "-Q": one monitor at most, exits on request.
#include <string>

#include "monitor_driver.h"

TEST_F(MonitorTest, QuitSwitchWithoutMonitorEndsAtOnce) {
  ProgramRun& quit = Launch("-q", false);
  ASSERT_TRUE(quit.WaitExit());
  EXPECT_EQ(0u, quit.ExitCode());
  EXPECT_TRUE(MonitorWindows().empty());
  RegKey settings;
  EXPECT_FALSE(settings.Open(HKEY_CURRENT_USER, "Software\\Tamsel", KEY_READ))
      << "a quit start must not initialise anything";
}

TEST_F(MonitorTest, QuitSwitchEndsTheRunningMonitor) {
  ProgramRun& first = Launch("");
  const HWND window = MonitorWindowOf(first.Id());
  ASSERT_TRUE(WaitUntil([&] { return TrayIconShown(window); }));
  ProgramRun& quit = Launch("-Q", false);
  EXPECT_TRUE(quit.WaitExit());
  EXPECT_EQ(0u, quit.ExitCode());
  EXPECT_TRUE(first.WaitExit());
  EXPECT_EQ(0u, first.ExitCode());
  EXPECT_TRUE(MonitorWindows().empty());
  EXPECT_FALSE(TrayIconShown(window));
}

TEST_F(MonitorTest, SecondStartReportsTheMissingExplorerAndStaysSingle) {
  const ExplorerAside aside;
  ProgramRun& first = Launch("");
  const HWND window = MonitorWindowOf(first.Id());
  ProgramRun& quiet = Launch("-noopen", false);
  EXPECT_TRUE(quiet.WaitExit());
  EXPECT_EQ(nullptr, FindBox(quiet.Id())) << "-noopen leaves the running monitor alone";

  ProgramRun& second = Launch("", false);
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (box = FindBox(second.Id())) != nullptr; }));
  EXPECT_NE(std::string::npos, BoxText(box).find("KorvaneEx.exe must exist")) << BoxText(box);
  EXPECT_EQ(window, GetWindow(box, GW_OWNER));
  EXPECT_EQ(1u, MonitorWindows().size());
  PressBoxButton(box, IDOK);
  EXPECT_TRUE(second.WaitExit());
  EXPECT_TRUE(first.Running());
  EXPECT_EQ(window, MonitorWindowOf(first.Id()));
}

TEST_F(MonitorTest, ConfirmExitAsksAndNoKeepsTheMonitor) {
  WriteOption("ConfirmExit", "1");
  ProgramRun& first = Launch("");
  const HWND window = MonitorWindowOf(first.Id());
  ASSERT_TRUE(WaitUntil([&] { return TrayIconShown(window); }));

  EXPECT_TRUE(Launch("-Q", false).WaitExit());
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (box = FindBox(first.Id())) != nullptr; }));
  EXPECT_NE(std::string::npos, BoxText(box).find("Do you want Korvane.exe to Exit?"))
      << BoxText(box);
  EXPECT_EQ(window, GetWindow(box, GW_OWNER));
  PressBoxButton(box, IDNO);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
  EXPECT_FALSE(first.WaitExit(1000));
  EXPECT_TRUE(TrayIconShown(window));

  EXPECT_TRUE(Launch("-Q", false).WaitExit());
  ASSERT_TRUE(WaitUntil([&] { return (box = FindBox(first.Id())) != nullptr; }));
  PressBoxButton(box, IDYES);
  EXPECT_TRUE(first.WaitExit());
  EXPECT_TRUE(MonitorWindows().empty());
}
