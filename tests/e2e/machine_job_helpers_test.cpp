// A machine-wide IE add-on and a machine file type, rejected by a monitor that may not write
// HKLM itself: the elevated job takes the add-on away or puts the type back; refused as well,
// nothing is recorded as done, the user is told, and the next check asks again.
#include <windows.h>

#include <string>

#include "categories/file_types.h"
#include "monitor_driver.h"
#include "sandbox.h"

namespace {

inline constexpr char kFault[] = "KORVANE_FAULT_MACHINE_ACTIONS";
inline constexpr char kToolbarKey[] = "SOFTWARE\\Microsoft\\Internet Explorer\\Toolbar";
inline constexpr char kToolbarId[] = "{6B1D0C11-0000-4000-8000-00000000AB1F}";
inline constexpr char kServerKey[] =
    "Software\\Classes\\CLSID\\{6B1D0C11-0000-4000-8000-00000000AB1F}\\InprocServer32";
inline constexpr char kServerTree[] =
    "Software\\Classes\\CLSID\\{6B1D0C11-0000-4000-8000-00000000AB1F}";
inline constexpr char kRemovedLine[] = "IEHELPER_Remove";
inline constexpr char kExtKey[] = "Software\\Classes\\.kvjb";
inline constexpr char kClassTree[] = "Software\\Classes\\kvjbfile";
inline constexpr char kCommandKey[] = "Software\\Classes\\kvjbfile\\shell\\open\\command";
inline constexpr char kGoodCommand[] = "C:\\Good\\viewer.exe %1";
inline constexpr char kEvilCommand[] = "C:\\Evil\\viewer2.exe %1";

class MachineJobHelpersTest : public MonitorTest {
 protected:
  void SetUp() override {
    MonitorTest::SetUp();
    for (const char* option : {"IEHelpers", "FileType"}) WriteOption(option, "1");
    WriteOption("HideIEHelper", "2");
    WriteOption("HideFileType", "2");
    SetEnvironmentVariableA(kFault, "direct");
  }
  void TearDown() override {
    SetEnvironmentVariableA(kFault, nullptr);
    DenyKeyWrites(HKEY_LOCAL_MACHINE, kToolbarKey, false);
    DenyKeyWrites(HKEY_LOCAL_MACHINE, kCommandKey, false);
    MonitorTest::TearDown();
    RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kToolbarKey, kToolbarId);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kServerTree);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kServerTree);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kExtKey);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kExtKey);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kClassTree);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kClassTree);
    RemoveWatchedFileType("KVJB");
  }
  static void AddToolbar() {
    WriteRegString(HKEY_LOCAL_MACHINE, kServerKey, nullptr, "C:\\Probe\\jobbar.dll");
    WriteRegString(HKEY_LOCAL_MACHINE, kToolbarKey, kToolbarId, "");
  }
  static bool ToolbarThere() {
    return RegValueExists(HKEY_LOCAL_MACHINE, kToolbarKey, kToolbarId);
  }
  static void WatchType() {
    WriteRegString(HKEY_LOCAL_MACHINE, kExtKey, nullptr, "kvjbfile");
    WriteRegString(HKEY_LOCAL_MACHINE, kCommandKey, nullptr, kGoodCommand);
    ASSERT_EQ(0, AddWatchedFileType("KVJB"));
  }
  static std::string LiveCommand() {
    return ReadRegString(HKEY_LOCAL_MACHINE, kCommandKey, nullptr);
  }
};

}  // namespace

TEST_F(MachineJobHelpersTest, RejectedMachineAddOnIsRemovedByTheElevatedJob) {
  ProgramRun& monitor = Launch("");
  ASSERT_TRUE(monitor.CountStarts());
  const HWND window = WatchMonitor(monitor);
  AddToolbar();
  ASSERT_TRUE(CyclesUntil(window, [] { return !ToolbarThere(); }));
  EXPECT_TRUE(WaitHistoryHas(kRemovedLine));
  EXPECT_GE(monitor.Starts(), 2u) << "the monitor and the explorer's job";
}

TEST_F(MachineJobHelpersTest, RefusedAddOnRemovalRecordsNothingAndIsAskedAgain) {
  ProgramRun& monitor = Launch("");
  const HWND window = WatchMonitor(monitor);
  AddToolbar();
  ASSERT_TRUE(DenyKeyWrites(HKEY_LOCAL_MACHINE, kToolbarKey, true));
  const HWND box = DialogAfterCycles(monitor, window, nullptr);
  ASSERT_NE(nullptr, box);
  const std::string text = BoxText(box);
  EXPECT_TRUE(Contains(text, "could not remove the Internet Explorer add-on")) << text;
  PressBoxButton(box, IDOK);
  EXPECT_TRUE(ToolbarThere());
  EXPECT_FALSE(HistoryHas(kRemovedLine));

  ASSERT_TRUE(DenyKeyWrites(HKEY_LOCAL_MACHINE, kToolbarKey, false));
  ASSERT_TRUE(CyclesUntil(window, [] { return !ToolbarThere(); }))
      << "still unknown: the next check rejects it again, and the job may write now";
  EXPECT_TRUE(WaitHistoryHas(kRemovedLine));
}

TEST_F(MachineJobHelpersTest, ChangedMachineFileTypeIsPutBackByTheElevatedJob) {
  ProgramRun& monitor = Launch("");
  ASSERT_TRUE(monitor.CountStarts());
  const HWND window = WatchMonitor(monitor);
  // After the first start has filled the store, which sets the watched list afresh.
  WatchType();
  WriteRegString(HKEY_LOCAL_MACHINE, kCommandKey, nullptr, kEvilCommand);
  ASSERT_TRUE(CyclesUntil(window, [] { return LiveCommand() == kGoodCommand; }))
      << LiveCommand();
  EXPECT_GE(monitor.Starts(), 2u) << "the monitor and the explorer's job";
}

TEST_F(MachineJobHelpersTest, RefusedFileTypeRestoreTellsTheUserAndKeepsAsking) {
  ProgramRun& monitor = Launch("");
  ASSERT_TRUE(monitor.CountStarts());
  const HWND window = WatchMonitor(monitor);
  // After the first start has filled the store, which sets the watched list afresh.
  WatchType();
  WriteRegString(HKEY_LOCAL_MACHINE, kCommandKey, nullptr, kEvilCommand);
  ASSERT_TRUE(DenyKeyWrites(HKEY_LOCAL_MACHINE, kCommandKey, true));
  const HWND box = DialogAfterCycles(monitor, window, nullptr);
  ASSERT_NE(nullptr, box);
  const std::string text = BoxText(box);
  EXPECT_TRUE(Contains(text, "put back the file type's program") && Contains(text, ".KVJB"))
      << text;
  PressBoxButton(box, IDOK);
  EXPECT_EQ(kEvilCommand, LiveCommand());

  ASSERT_TRUE(DenyKeyWrites(HKEY_LOCAL_MACHINE, kCommandKey, false));
  ASSERT_TRUE(CyclesUntil(window, [] { return LiveCommand() == kGoodCommand; }))
      << "the stored association was kept, so the change is seen again and undone";
}
