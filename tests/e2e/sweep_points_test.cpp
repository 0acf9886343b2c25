// The autostart points beyond the Run family, with the real monitor: a new debugger, boot
// program, per-user shell and class shadow each bring the startup alert; No takes the item
// out of its place with an undoable history line; hostile values bring nothing.
#include <string>
#include <vector>

#include "monitor_driver.h"
#include "sandbox.h"
#include "saved_place.h"

using namespace std::string_literals;

namespace {

inline constexpr int kCommandField = 1026;
constexpr char kIfeoProbe[] =
    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Image File Execution Options\\kvprobe.exe";
constexpr char kSessionManager[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
constexpr char kUserWinlogon[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
constexpr char kShadowClass[] = "{5C4C4B1E-0000-4B1E-9A1E-00000000C0DE}";

struct PointProbe {
  HKEY root;
  std::string key;
  const char* name;
  DWORD type;
  std::string data;
  const char* command;   // as the alert shows it
  const char* removed;   // the history line's start after No
};

std::vector<PointProbe> Probes() {
  return {
      {HKEY_LOCAL_MACHINE, kIfeoProbe, "Debugger", REG_SZ, "C:\\Probe\\dbg.exe"s + '\0',
       "C:\\Probe\\dbg.exe", "*START_Remove\tREG_IFEODebugger\tkvprobe.exe\tC:\\Probe\\dbg.exe"},
      {HKEY_LOCAL_MACHINE, kSessionManager, "BootExecute", REG_MULTI_SZ,
       "autocheck autochk *\0C:\\Probe\\native.exe\0\0"s, "C:\\Probe\\native.exe",
       "*START_Remove\tREG_BootExecute\tnative\t"},
      {HKEY_CURRENT_USER, kUserWinlogon, "Shell", REG_SZ, "C:\\Probe\\shell.exe"s + '\0',
       "C:\\Probe\\shell.exe", "*START_Remove\tWINLOGON_UserShell\tShell\t"},
      {HKEY_CURRENT_USER, "Software\\Classes\\CLSID\\"s + kShadowClass + "\\InprocServer32", "",
       REG_SZ, "C:\\Probe\\shadow.dll"s + '\0', "C:\\Probe\\shadow.dll",
       "*START_Remove\tCOM_UserShadow\t"},
  };
}

class SweepPointsTest : public MonitorTest {
 protected:
  void SetUp() override {
    MonitorTest::SetUp();
    WriteOption("Start", "1");
    WriteRegString(HKEY_LOCAL_MACHINE, "Software\\Classes\\CLSID\\"s + kShadowClass, "",
                   "Probe Class");
  }
  void TearDown() override {
    MonitorTest::TearDown();
    for (const SavedPlace& value : saved_) value.Put();
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kIfeoProbe);
    RegDeleteTreeA(HKEY_CURRENT_USER, ("Software\\Classes\\CLSID\\"s + kShadowClass).c_str());
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, ("Software\\Classes\\CLSID\\"s + kShadowClass).c_str());
  }
  void Save(HKEY root, const std::string& key, const char* name) {
    saved_.emplace_back(root, key, name);
  }
  std::vector<SavedPlace> saved_;
};

bool Holds(const PointProbe& probe, const char* item) {
  DWORD type = REG_NONE, size = 0;
  if (RegGetValueA(probe.root, probe.key.c_str(), probe.name, RRF_RT_ANY | RRF_NOEXPAND, &type,
                   nullptr, &size) != ERROR_SUCCESS)
    return false;
  std::string bytes(size, '\0');
  RegGetValueA(probe.root, probe.key.c_str(), probe.name, RRF_RT_ANY | RRF_NOEXPAND, &type,
               bytes.data(), &size);
  return bytes.find(item) != std::string::npos;
}

}  // namespace

TEST_F(SweepPointsTest, NewPointsAreAlertedAndNoTakesThemOutWithAnUndoableLine) {
  ProgramRun& monitor = Launch("");
  const HWND window = WatchMonitor(monitor);
  for (const PointProbe& probe : Probes()) {
    SCOPED_TRACE(probe.command);
    Save(probe.root, probe.key, probe.name);
    WriteRegValue(probe.root, probe.key, probe.name, probe.type, probe.data);
    const HWND alert = DialogAfterCycles(monitor, window, kAlertCaption);
    ASSERT_NE(nullptr, alert);
    EXPECT_EQ(probe.command, DialogItemText(alert, kCommandField));
    PressBoxButton(alert, IDNO);
    EXPECT_TRUE(WaitUntil([&] { return !Holds(probe, probe.command); }));
    EXPECT_TRUE(WaitHistoryHas(probe.removed));
  }
  // The boot list keeps the system's own item.
  EXPECT_TRUE(Holds(Probes()[1], "autocheck autochk *"));
}

TEST_F(SweepPointsTest, HostileValuesBringNoAlert) {
  Save(HKEY_LOCAL_MACHINE, kSessionManager, "BootExecute");
  Save(HKEY_CURRENT_USER, kUserWinlogon, "Shell");
  ProgramRun& monitor = Launch("");
  const HWND window = WatchMonitor(monitor);
  WriteRegValue(HKEY_LOCAL_MACHINE, kIfeoProbe, "Debugger", REG_DWORD, "\x01\x00\x00\x00"s);
  WriteRegValue(HKEY_LOCAL_MACHINE, kIfeoProbe, "GlobalFlag", REG_SZ, std::string(3u << 20, 'x'));
  WriteRegValue(HKEY_LOCAL_MACHINE, kSessionManager, "BootExecute", REG_BINARY,
                "C:\\Probe\\bin.exe"s);
  WriteRegValue(HKEY_CURRENT_USER, kUserWinlogon, "Shell", REG_SZ, "   "s);
  EXPECT_TRUE(QuietForTwoCycles(monitor, window, kAlertCaption));
  EXPECT_TRUE(monitor.Running());
}
