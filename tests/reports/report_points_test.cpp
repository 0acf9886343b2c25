// The autostart points in the reports: their O4 lines in the scan log, after the Run family's,
// and their rows with the location's label in the system report's startup section.
#include <windows.h>

#include <string>

#include "reports/report_scan_log.h"
#include "sandbox.h"

using namespace std::string_literals;

namespace {

constexpr char kIfeoNotepad[] =
    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Image File Execution Options\\notepad.exe";
constexpr char kLsa[] = "SYSTEM\\CurrentControlSet\\Control\\Lsa";

class ReportPointsTest : public RegistrySandbox {
 protected:
  std::string ScanLog() {
    const std::string path = ScratchFolder() + "\\HijackKorvane.log";
    EXPECT_TRUE(WriteScanLogFile(path, false));
    return FileText(path);
  }
};

}  // namespace

TEST_F(ReportPointsTest, ScanLogNamesEachPointAfterTheRunEntriesAndLeavesTheSystemsOwnOut) {
  WriteRegString(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Tool",
                 "C:\\T\\tool.exe");
  WriteRegString(HKEY_LOCAL_MACHINE, kIfeoNotepad, "Debugger", "C:\\Bad\\dbg.exe\r\nO4 - x");
  WriteRegValue(HKEY_LOCAL_MACHINE, kLsa, "Notification Packages", REG_MULTI_SZ,
                "scecli\0pwdspy\0\0"s);
  const std::string log = ScanLog();
  const std::size_t run = log.find("\r\nO4 - HKLM\\..\\Run: [Tool]C:\\T\\tool.exe\r\n");
  const std::size_t debugger =
      log.find("\r\nO4 - IFEO_DEBUGGER: [notepad.exe]C:\\Bad\\dbg.exe  O4 - x\r\n");
  ASSERT_NE(std::string::npos, run);
  ASSERT_NE(std::string::npos, debugger) << "one line, whatever the value holds";
  EXPECT_LT(run, debugger);
  EXPECT_NE(std::string::npos, log.find("\r\nO4 - LSA_NOTIFICATION: [pwdspy]pwdspy\r\n"));
  EXPECT_EQ(std::string::npos, log.find("scecli"));
}
