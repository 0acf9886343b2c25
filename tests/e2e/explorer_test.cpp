// The explorer's entry and tabbed window: which page each start opens, one explorer per
// user, "-Q", the remembered page, and the monitor's ways of opening it.
#include <algorithm>
#include <string>

#include "explorer_driver.h"
#include "monitor_driver.h"
#include "sandbox.h"

namespace {

inline constexpr UINT kTrayMessage = 6035;
inline constexpr WPARAM kTrayIcon = 6036;
// Longer than any command line whose switches are read.
inline constexpr size_t kOverlongCommandLine = 800;
inline constexpr char kJobTitle[] = "KvExJob";
inline constexpr char kJobProgram[] = "C:\\T\\KVEXJOB.EXE";

std::string StartTab() { return ReadRegString(HKEY_CURRENT_USER, kOptionsKey, "StartTab"); }

// The one explorer that runs; null unless exactly one does.
HWND SoleExplorerFrame() {
  const std::vector<HWND> frames = ExplorerFrames();
  return frames.size() == 1 ? frames[0] : nullptr;
}

HWND WaitSoleExplorerSheet() {
  HWND frame = nullptr;
  if (!WaitUntil([&] { return (frame = SoleExplorerFrame()) != nullptr; })) return nullptr;
  return WaitSheet(WindowProcess(frame));
}

bool WaitProcessEnd(DWORD processId, DWORD timeoutMs = kWaitMs) {
  Handle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
  return !process || WaitForSingleObject(process.get(), timeoutMs) == WAIT_OBJECT_0;
}

// A monitor just started may still be taking its first snapshots before it reads messages.
inline constexpr DWORD kMonitorEndMs = 40000;

// Ends the monitors that "-START" started, so that the next case starts from none.
bool EndMonitors() {
  for (HWND window : MonitorWindows()) {
    const DWORD processId = WindowProcess(window);
    PostMessageA(window, WM_COMMAND, ID_CMD_CLOSE, 0);
    if (!WaitProcessEnd(processId, kMonitorEndMs)) return false;
  }
  return MonitorWindows().empty();
}

// Another program's window in front for its lifetime, so that raising a window can be seen.
class WindowInFront {
 public:
  WindowInFront() {
    char command[] = "notepad.exe";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    if (!CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started))
      return;
    process_.Reset(started.hProcess);
    Handle thread(started.hThread);
    WaitUntil([&] {
      window_ = ProcessWindow(started.dwProcessId, "Notepad", nullptr, true);
      return window_ && GetForegroundWindow() == window_;
    });
  }
  ~WindowInFront() {
    if (process_ && TerminateProcess(process_.get(), 0))
      WaitForSingleObject(process_.get(), kWaitMs);
  }
  WindowInFront(const WindowInFront&) = delete;
  WindowInFront& operator=(const WindowInFront&) = delete;
  bool InFront() const { return window_ && GetForegroundWindow() == window_; }

 private:
  Handle process_;
  HWND window_ = nullptr;
};

HWND OpenTrayMenu(const ProgramRun& monitor, HWND window) {
  PostMessageA(window, kTrayMessage, kTrayIcon, WM_RBUTTONUP);
  HWND popup = nullptr;
  WaitUntil([&] { return (popup = ProcessWindow(monitor.Id(), "#32768", nullptr, true)); });
  return popup;
}

}  // namespace

TEST_F(ExplorerTest, PageSwitchesOpenTheirTabAndEverythingElseTheStartupPage) {
  struct Case {
    std::string arguments, tab;
    bool startsMonitor;
  };
  const std::string overlong = "-VELT " + std::string(kOverlongCommandLine, 'x');
  const Case cases[] = {
      {"-START", kStartupTabText, true},
      {"-velt", kVeltTabText, false},
      {"-velt -START", kVeltTabText, true},  // the later switch of the table wins
      {"-NoSuchPage %s%n", kStartupTabText, false},
      {overlong, kStartupTabText, false},  // matches nothing
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments.substr(0, 40));
    // Closing on a page remembers it, and a start without a page switch reopens it.
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kOptionsKey, "StartTab");
    ProgramRun* run = nullptr;
    const HWND sheet = OpenExplorer(c.arguments.c_str(), &run);
    ASSERT_NE(nullptr, sheet);
    const std::vector<std::string> tabs = TabTexts(sheet);
    ASSERT_GE(tabs.size(), 2u);
    EXPECT_EQ(kStartupTabText, tabs[0]);
    EXPECT_EQ(c.tab, SelectedTabText(sheet));
    EXPECT_NE(nullptr, ActivePage(sheet));
    if (c.tab == kStartupTabText) {
      EXPECT_NE(nullptr, StartupList(sheet));
    }
    EXPECT_EQ(c.startsMonitor, WaitUntil([] { return !MonitorWindows().empty(); }, 2000))
        << "-START starts the monitor when none runs, nothing else does";
    ASSERT_TRUE(CloseSheet(sheet, *run));
    EXPECT_EQ(0u, run->ExitCode());
    EXPECT_TRUE(ExplorerFrames().empty());
    ASSERT_TRUE(EndMonitors());
  }
}

// A second start hands its page to the running explorer and ends, a job start only does its
// job; "-Q" closes the running one and, with none running, starts nothing.
TEST_F(ExplorerTest, SecondStartsHandOverToTheRunningExplorerAndQuitClosesIt) {
  ProgramRun& alone = StartExplorer("-Q");
  ASSERT_TRUE(alone.WaitExit());
  EXPECT_EQ(0u, alone.ExitCode());
  EXPECT_TRUE(ExplorerFrames().empty());
  EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, "Software\\Tamsel"))
      << "a quit start must not initialise anything";

  ProgramRun* first = nullptr;
  const HWND sheet = OpenExplorer("", &first);
  ASSERT_NE(nullptr, sheet);
  ASSERT_EQ(kStartupTabText, SelectedTabText(sheet));
  const HWND frame = SoleExplorerFrame();
  ASSERT_NE(nullptr, frame);

  {
    const WindowInFront other;
    ASSERT_TRUE(other.InFront());
    ProgramRun& second = StartExplorer("-VELT");
    ASSERT_TRUE(second.WaitExit());
    EXPECT_EQ(0u, second.ExitCode());
    EXPECT_EQ(nullptr, FindSheet(second.Id()));
    EXPECT_EQ(frame, SoleExplorerFrame()) << "one explorer per user";
    EXPECT_TRUE(first->Running());
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == sheet; }))
        << "the running explorer comes to the front";
  }
  EXPECT_EQ(sheet, FindSheet(first->Id()));
  EXPECT_EQ(kStartupTabText, SelectedTabText(sheet)) << "the page showing stays";

  // A job start does its job even while an explorer runs, and opens nothing.
  WriteSetting("Software\\Tamsel\\Korvane\\Delay", kJobProgram, "11");
  WriteSetting("Software\\Tamsel\\Korvane\\Delay\\Title", kJobProgram, kJobTitle);
  ProgramRun& job = StartExplorer("-Restore");
  ASSERT_TRUE(job.WaitExit());
  EXPECT_EQ(kJobProgram, ReadRegString(HKEY_CURRENT_USER, kRunKey, kJobTitle));
  RegDeleteKeyValueA(HKEY_CURRENT_USER, kRunKey, kJobTitle);
  EXPECT_EQ(frame, SoleExplorerFrame());

  ProgramRun& quit = StartExplorer("-q");
  ASSERT_TRUE(quit.WaitExit());
  EXPECT_EQ(0u, quit.ExitCode());
  EXPECT_TRUE(first->WaitExit());
  EXPECT_EQ(0u, first->ExitCode());
  EXPECT_TRUE(ExplorerFrames().empty());
}

// The page showing when the window closes opens the next time; a stored value that is not a
// page of the window opens the Startup page.
TEST_F(ExplorerTest, StartTabRemembersTheLastPageAndHostileValuesOpenTheStartupPage) {
  ProgramRun* run = nullptr;
  HWND sheet = OpenExplorer("", &run);
  ASSERT_NE(nullptr, sheet);
  const std::vector<std::string> tabs = TabTexts(sheet);
  const auto velt = std::find(tabs.begin(), tabs.end(), kVeltTabText);
  ASSERT_NE(tabs.end(), velt);
  ASSERT_TRUE(SelectTab(sheet, static_cast<int>(velt - tabs.begin())));
  ASSERT_TRUE(CloseSheet(sheet, *run));
  EXPECT_EQ("6027", StartTab());

  sheet = OpenExplorer("", &run);
  ASSERT_NE(nullptr, sheet);
  EXPECT_EQ(kVeltTabText, SelectedTabText(sheet));
  ASSERT_TRUE(SelectTab(sheet, 0));
  // The Startup page's own Close button ends the explorer too.
  ASSERT_TRUE(PressPageButton(sheet, IDC_PAGE_CLOSE));
  ASSERT_TRUE(run->WaitExit());
  EXPECT_EQ("6026", StartTab()) << "the page that showed last, not the first one destroyed";

  for (const char* hostile : {"6030", "99999", "abc", "-6027", "6025"}) {
    SCOPED_TRACE(hostile);
    WriteOption("StartTab", hostile);
    sheet = OpenExplorer("", &run);
    ASSERT_NE(nullptr, sheet);
    EXPECT_EQ(kStartupTabText, SelectedTabText(sheet));
    ASSERT_TRUE(CloseSheet(sheet, *run));
  }
  EXPECT_TRUE(MonitorWindows().empty()) << "opening the Startup page by itself starts no monitor";
}

// The tray menu's items, its double click and a second monitor start open the explorer on
// their page; a later command reaches the open explorer instead of a second one.
TEST_F(ExplorerTest, MonitorOpensTheExplorerOnThePageItsMenuNames) {
  ProgramRun& monitor = Launch("");
  const HWND window = WatchMonitor(monitor);
  const HWND popup = OpenTrayMenu(monitor, window);
  ASSERT_NE(nullptr, popup);
  PostMessageA(popup, WM_CHAR, 'k', 0);  // "About &Korvane / VELT..."
  HWND sheet = WaitSoleExplorerSheet();
  ASSERT_NE(nullptr, sheet);
  EXPECT_EQ(kVeltTabText, SelectedTabText(sheet));
  const DWORD explorer = WindowProcess(sheet);

  PostMessageA(window, WM_COMMAND, ID_PAGE_STARTUP, 0);
  ASSERT_TRUE(WaitMessagesHandled(window));
  WaitCycleGap();  // the handed-over start has its time to end
  EXPECT_NE(nullptr, SoleExplorerFrame()) << "one explorer per user";
  EXPECT_EQ(sheet, FindSheet(explorer));
  EXPECT_EQ(kVeltTabText, SelectedTabText(sheet)) << "the page showing stays";

  PostMessageA(FindWindowExA(nullptr, nullptr, kExplorerClass, nullptr), WM_COMMAND,
               ID_CMD_CLOSE, 0);
  ASSERT_TRUE(WaitProcessEnd(explorer));
  PostMessageA(window, kTrayMessage, kTrayIcon, WM_LBUTTONDBLCLK);
  sheet = WaitSoleExplorerSheet();
  ASSERT_NE(nullptr, sheet);
  EXPECT_EQ(kStartupTabText, SelectedTabText(sheet));
  const DWORD second = WindowProcess(sheet);
  PostMessageA(sheet, WM_SYSCOMMAND, SC_CLOSE, 0);
  ASSERT_TRUE(WaitProcessEnd(second));

  ProgramRun& again = Launch("", false);  // a second monitor opens the Startup page instead
  EXPECT_TRUE(again.WaitExit());
  sheet = WaitSoleExplorerSheet();
  ASSERT_NE(nullptr, sheet);
  EXPECT_EQ(kStartupTabText, SelectedTabText(sheet));
  EXPECT_EQ(1u, MonitorWindows().size());
}
