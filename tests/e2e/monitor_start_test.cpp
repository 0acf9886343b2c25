// A monitor started in a fresh registry: its settings tree, autostart, window, icon and trace.
#include <string>
#include <vector>

#include "monitor_driver.h"
#include "sandbox.h"

namespace {

// Key and value of every line of the trace section, in file order.
std::vector<std::pair<std::string, std::string>> TraceLines() {
  std::vector<char> section(32768);
  GetPrivateProfileSectionA("Trace", section.data(), static_cast<DWORD>(section.size()),
                            TraceFilePath().c_str());
  std::vector<std::pair<std::string, std::string>> lines;
  for (const char* line = section.data(); *line; line += lstrlenA(line) + 1) {
    std::string text(line);
    const auto equals = text.find('=');
    lines.emplace_back(text.substr(0, equals), text.substr(equals + 1));
  }
  return lines;
}

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

TEST_F(MonitorTest, FirstRunCreatesTheSettingsTree) {
  Launch("");
  for (const char* sub : {"Options", "Run", "IEHelpers", "HostFile", "Tasks", "Nuts", "Cookies"})
    EXPECT_TRUE(RegKeyExists(HKEY_CURRENT_USER, (std::string(kBaseKey) + "\\" + sub).c_str())) << sub;
  const std::string firstRun = ReadRegString(HKEY_CURRENT_USER, kBaseKey, "");
  EXPECT_GE(firstRun.size(), 8u) << "first-run date: " << firstRun;
  EXPECT_NE(std::string::npos, firstRun.find_first_of("0123456789"));
  EXPECT_EQ("15.2.2008.0", ReadRegString(HKEY_CURRENT_USER, kBaseKey, "Version"));
}

TEST_F(MonitorTest, FirstRunPutsTheMonitorIntoAutostartAsKnown) {
  Launch("");
  EXPECT_EQ(AutostartCommand(), ReadRegString(HKEY_LOCAL_MACHINE, kMachineRunKey, "Korvane"));
  EXPECT_EQ("1", ReadRegString(HKEY_CURRENT_USER, kKnownStartupKey, AutostartCommand().c_str()));
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
  const auto lines = TraceLines();
  ASSERT_EQ(2u, lines.size()) << "only the start-up span is traced before the first cycle";
  EXPECT_TRUE(EndsWith(lines[0].first, ".1")) << lines[0].first;
  EXPECT_TRUE(EndsWith(lines[0].second, " START: From Initialize to Post")) << lines[0].second;
  EXPECT_TRUE(EndsWith(lines[1].first, ".2")) << lines[1].first;
  EXPECT_EQ(0u, lines[1].second.find("**:**:** NanoCycles: From Initialize to Post = "))
      << lines[1].second;
}

TEST_F(MonitorTest, WithoutDebugNoTraceFileIsMade) {
  Launch("");
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(TraceFilePath().c_str()));
}
