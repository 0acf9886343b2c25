// The monitor's own life: first run, trace, second starts and "-Q", its commands and tray menu.
#include <string>
#include <vector>

#include "monitor_driver.h"
#include "sandbox.h"

namespace {

inline constexpr int kToggleAutostartCommand = 6031;
inline constexpr UINT kTrayMessage = 6035;
inline constexpr WPARAM kTrayIcon = 6036;
// Selectable items on the NT family: the restart-commands item is 9x only.
inline constexpr int kSelectableItems = 13;
inline constexpr char kExitQuestion[] = "Do you want Korvane.exe to Exit?";
inline constexpr char kExplorerMissing[] = "KorvaneEx.exe must exist";

// What the startup list shows for the monitor's own autostart value, and the value itself,
// quoted so that a folder with a blank in it cannot be read as another program.
std::string AutostartCommand() { return BinFolder() + "\\korvane.exe -expressboot"; }
std::string AutostartValue() { return "\"" + BinFolder() + "\\korvane.exe\" -expressboot"; }

bool AutostartOn() {
  return ReadRegString(HKEY_LOCAL_MACHINE, kRunKey, "Korvane") == AutostartValue() &&
         ReadRegString(HKEY_CURRENT_USER, kKnownStartupKey, AutostartCommand().c_str()) == "1";
}

HWND FindPopupMenu(const ProgramRun& monitor) {
  return ProcessWindow(monitor.Id(), "#32768", nullptr, true);
}

HWND OpenTrayMenu(const ProgramRun& monitor, HWND window) {
  PostMessageA(window, kTrayMessage, kTrayIcon, WM_RBUTTONUP);
  HWND popup = nullptr;
  WaitUntil([&] { return (popup = FindPopupMenu(monitor)) != nullptr; });
  return popup;
}

}  // namespace

TEST_F(MonitorTest, FirstRunMakesTheTreeAutostartAndOneHiddenWindowWithItsIcon) {
  ProgramRun& monitor = Launch("");
  for (const char* sub : {"Options", "Run", "IEHelpers", "HostFile", "Tasks", "Nuts", "Cookies"})
    EXPECT_TRUE(RegKeyExists(HKEY_CURRENT_USER, (std::string(kBaseKey) + "\\" + sub).c_str()))
        << sub;
  const std::string firstRun = ReadRegString(HKEY_CURRENT_USER, kBaseKey, "");
  EXPECT_GE(firstRun.size(), 8u) << "first-run date: " << firstRun;
  EXPECT_NE(std::string::npos, firstRun.find_first_of("0123456789"));
  EXPECT_EQ("15.2.2008.0", ReadRegString(HKEY_CURRENT_USER, kBaseKey, "Version"));
  EXPECT_TRUE(AutostartOn());
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(TraceFilePath().c_str()))
      << "without Debug no trace file is made";

  const HWND window = MonitorWindowOf(monitor.Id());
  ASSERT_NE(nullptr, window);
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_TRUE(WaitUntil([&] { return TrayIconShown(window); }));
  TrayIconShown(window, NIM_DELETE);
  ASSERT_FALSE(TrayIconShown(window));
  PostMessageA(window, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return TrayIconShown(window); })) << "a restarted shell";

  PostMessageA(window, WM_COMMAND, kToggleAutostartCommand, 0);
  EXPECT_TRUE(
      WaitUntil([] { return ReadRegString(HKEY_LOCAL_MACHINE, kRunKey, "Korvane") == ""; }));
  RegDeleteKeyValueA(HKEY_CURRENT_USER, kKnownStartupKey, AutostartCommand().c_str());
  PostMessageA(window, WM_COMMAND, kToggleAutostartCommand, 0);
  // The monitor writes the Run value first and marks it known after: wait for both.
  EXPECT_TRUE(WaitUntil(AutostartOn));
}

TEST_F(MonitorTest, DebugTracesTheStartSpanAndHideTobbitLeavesTheNotificationAreaAlone) {
  WriteOption("Debug", "1");
  WriteOption("HideTobbit", "1");
  ProgramRun& monitor = Launch("");
  std::vector<char> section(32768);
  GetPrivateProfileSectionA("Trace", section.data(), static_cast<DWORD>(section.size()),
                            TraceFilePath().c_str());
  std::vector<std::string> lines;
  for (const char* line = section.data(); *line; line += lstrlenA(line) + 1) lines.push_back(line);
  ASSERT_EQ(2u, lines.size()) << "only the start-up span is traced before the first cycle";
  const std::string step = " START: From Initialize to Post";
  EXPECT_EQ(lines[0].find(".1="), lines[0].find('=') - 2) << lines[0];
  EXPECT_EQ(lines[0].size() - step.size(), lines[0].rfind(step)) << lines[0];
  EXPECT_TRUE(Contains(lines[1], ".2=**:**:** NanoCycles: From Initialize to Post = ")) << lines[1];
  EXPECT_FALSE(TrayIconShown(MonitorWindowOf(monitor.Id())));
}

TEST_F(MonitorTest, QuitSwitchAndSecondStartsLeaveAtMostOneMonitor) {
  ProgramRun& lone = Launch("-q", false);
  ASSERT_TRUE(lone.WaitExit());
  EXPECT_EQ(0u, lone.ExitCode());
  EXPECT_TRUE(MonitorWindows().empty());
  EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, "Software\\Tamsel"))
      << "a quit start must not initialise anything";

  const ExplorerAside aside;
  ProgramRun& first = Launch("");
  const HWND window = WatchMonitor(first);
  ProgramRun& quiet = Launch("-noopen", false);
  EXPECT_TRUE(quiet.WaitExit());
  EXPECT_EQ(nullptr, FindDialog(quiet.Id())) << "-noopen leaves the running monitor alone";
  ProgramRun& second = Launch("", false);
  const HWND box = WaitDialog(second.Id());
  ASSERT_NE(nullptr, box);
  EXPECT_TRUE(Contains(BoxText(box), kExplorerMissing)) << BoxText(box);
  EXPECT_EQ(window, GetWindow(box, GW_OWNER));
  EXPECT_EQ(1u, MonitorWindows().size());
  PressBoxButton(box, IDOK);
  EXPECT_TRUE(second.WaitExit());
  EXPECT_TRUE(first.Running());
  EXPECT_EQ(window, MonitorWindowOf(first.Id()));

  ProgramRun& quit = Launch("-Q", false);
  EXPECT_TRUE(quit.WaitExit());
  EXPECT_EQ(0u, quit.ExitCode());
  EXPECT_TRUE(first.WaitExit());
  EXPECT_EQ(0u, first.ExitCode());
  EXPECT_TRUE(MonitorWindows().empty());
  EXPECT_FALSE(TrayIconShown(window));
}

// With ConfirmExit = 1, "-Q" answered No keeps the monitor; the menu's exit answered Yes ends it.
TEST_F(MonitorTest, TrayMenuItemsPostTheirCommandsAndConfirmExitAsks) {
  WriteOption("ConfirmExit", "1");
  ProgramRun& monitor = Launch("");
  const HWND window = WatchMonitor(monitor);
  PostMessageA(window, kTrayMessage, kTrayIcon + 1, WM_RBUTTONUP);
  ASSERT_TRUE(WaitMessagesHandled(window));
  EXPECT_EQ(nullptr, FindPopupMenu(monitor)) << "another icon's click opens nothing";

  HWND popup = OpenTrayMenu(monitor, window);
  ASSERT_NE(nullptr, popup);
  PostMessageA(popup, WM_KEYDOWN, VK_ESCAPE, 0);
  ASSERT_TRUE(WaitUntil([&] { return FindPopupMenu(monitor) == nullptr; }));

  // A dismissed menu leaves nothing busy; "&Options..." reaches the explorer start, which
  // reports the explorer missing beside the test programs.
  {
    const ExplorerAside aside;
    popup = OpenTrayMenu(monitor, window);
    ASSERT_NE(nullptr, popup);
    PostMessageA(popup, WM_CHAR, 'o', 0);
    const HWND box = WaitDialog(monitor.Id());
    ASSERT_NE(nullptr, box);
    EXPECT_TRUE(Contains(BoxText(box), kExplorerMissing)) << BoxText(box);
    PressBoxButton(box, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return FindDialog(monitor.Id()) == nullptr; }));
  }

  EXPECT_TRUE(Launch("-Q", false).WaitExit());
  HWND box = WaitDialog(monitor.Id());
  ASSERT_NE(nullptr, box);
  EXPECT_TRUE(Contains(BoxText(box), kExitQuestion)) << BoxText(box);
  EXPECT_EQ(window, GetWindow(box, GW_OWNER));
  PressBoxButton(box, IDNO);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
  EXPECT_FALSE(monitor.WaitExit(1000));
  EXPECT_TRUE(TrayIconShown(window));

  // The last of the selectable items is the exit.
  popup = OpenTrayMenu(monitor, window);
  ASSERT_NE(nullptr, popup);
  for (int i = 0; i < kSelectableItems; ++i) PostMessageA(popup, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageA(popup, WM_KEYDOWN, VK_RETURN, 0);
  box = WaitDialog(monitor.Id());
  ASSERT_NE(nullptr, box);
  EXPECT_TRUE(Contains(BoxText(box), kExitQuestion)) << BoxText(box);
  PressBoxButton(box, IDYES);
  EXPECT_TRUE(monitor.WaitExit());
  EXPECT_TRUE(MonitorWindows().empty());
}
