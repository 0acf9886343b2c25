// A monitor started in a fresh registry: its settings tree, autostart, window, icon and trace.
#include <string>
#include <vector>

#include "monitor_driver.h"
#include "sandbox.h"

TEST_F(MonitorTest, FirstRunCreatesTheTreeAndPutsTheMonitorIntoAutostartAsKnown) {
  Launch("");
  for (const char* sub : {"Options", "Run", "IEHelpers", "HostFile", "Tasks", "Nuts", "Cookies"})
    EXPECT_TRUE(RegKeyExists(HKEY_CURRENT_USER, (std::string(kBaseKey) + "\\" + sub).c_str())) << sub;
  const std::string firstRun = ReadRegString(HKEY_CURRENT_USER, kBaseKey, "");
  EXPECT_GE(firstRun.size(), 8u) << "first-run date: " << firstRun;
  EXPECT_NE(std::string::npos, firstRun.find_first_of("0123456789"));
  EXPECT_EQ("15.2.2008.0", ReadRegString(HKEY_CURRENT_USER, kBaseKey, "Version"));
  EXPECT_EQ(AutostartCommand(), ReadRegString(HKEY_LOCAL_MACHINE, kMachineRunKey, "Korvane"));
  EXPECT_EQ("1", ReadRegString(HKEY_CURRENT_USER, kKnownStartupKey, AutostartCommand().c_str()));
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(TraceFilePath().c_str()))
      << "without Debug no trace file is made";
}

TEST_F(MonitorTest, RunsOneHiddenWindowWithItsTrayIcon) {
  ProgramRun& monitor = Launch("");
  const HWND window = MonitorWindowOf(monitor.Id());
  ASSERT_NE(nullptr, window);
  EXPECT_FALSE(IsWindowVisible(window));
  RECT box = {};
  GetWindowRect(window, &box);
  EXPECT_EQ(0, box.left);
  EXPECT_EQ(0, box.top);
  EXPECT_EQ(1u, MonitorWindows().size());
  EXPECT_TRUE(WaitUntil([&] { return TrayIconShown(window); }));
}

TEST_F(MonitorTest, HideTobbitLeavesTheNotificationAreaAlone) {
  WriteOption("HideTobbit", "1");
  ProgramRun& monitor = Launch("");
  const HWND window = MonitorWindowOf(monitor.Id());
  ASSERT_NE(nullptr, window);
  EXPECT_FALSE(TrayIconShown(window));
}

TEST_F(MonitorTest, DebugOptionWritesTheStartSpan) {
  WriteOption("Debug", "1");
  Launch("");
  std::vector<char> section(32768);
  GetPrivateProfileSectionA("Trace", section.data(), static_cast<DWORD>(section.size()),
                            TraceFilePath().c_str());
  std::vector<std::string> lines;
  for (const char* line = section.data(); *line; line += lstrlenA(line) + 1) lines.push_back(line);
  ASSERT_EQ(2u, lines.size()) << "only the start-up span is traced before the first cycle";
  const std::string step = " START: From Initialize to Post";
  EXPECT_EQ(lines[0].find(".1="), lines[0].find('=') - 2) << lines[0];
  EXPECT_EQ(lines[0].size() - step.size(), lines[0].rfind(step)) << lines[0];
  EXPECT_NE(std::string::npos, lines[1].find(".2=**:**:** NanoCycles: From Initialize to Post = "))
      << lines[1];
}
