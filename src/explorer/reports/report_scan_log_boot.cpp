// The start pages (R0, R1), the boot files (F0-F3) and the HOSTS redirections (O1).
#include "categories/system_files.h"
#include "foundation/platform.h"
#include "foundation/strings.h"
#include "hosts_text.h"
#include "report_scan_log_parts.h"
#include "resource.h"
#include "text.h"

namespace {

constexpr char kWinlogonKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
constexpr char kUserWindowsKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
constexpr char kMainText[] = "\\Software\\Microsoft\\Internet Explorer\\Main,";
// A HOSTS file larger than this is read only this far: blocking lists run to a few MB.
constexpr std::size_t kHostsReadLimit = 64 * 1024 * 1024;

struct StartPageLine {
  const char* tag;
  HKEY root;
  const char* rootName;
  const char* value;
};

// The boot section of system.ini; on the NT family Windows maps it to the Winlogon key, which
// is read directly so that the answer does not hang on the profile mapping.
std::string BootValue(const ScanLog& log, const char* name) {
  if (!IsWin9xFamily()) return ScanLogRegText(HKEY_LOCAL_MACHINE, kWinlogonKey, name);
  char text[1024] = "";
  const std::string ini = log.windowsFolder + "\\system.ini";
  GetPrivateProfileStringA("Boot", name, "", text, sizeof text, ini.c_str());
  return text;
}

std::string WinIniValue(const char* name) {
  char text[1024] = "";
  GetProfileStringA("Windows", name, "", text, sizeof text);
  return text;
}

}  // namespace

void ScanLogWriteStartPages(ScanLog& log) {
  char main[MAX_PATH] = "";
  if (LocalString(IDS_IE_MAIN_KEY, main, sizeof main) == 0) return;
  static const StartPageLine kLines[] = {
      {"R1 - ", HKEY_CURRENT_USER, "HKCU", "Default_Page_URL"},
      {"R0 - ", HKEY_CURRENT_USER, "HKCU", "Start Page"},
      {"R1 - ", HKEY_LOCAL_MACHINE, "HKLM", "Default_Page_URL"},
      {"R0 - ", HKEY_LOCAL_MACHINE, "HKLM", "Start Page"},
      {"R1 - ", HKEY_CURRENT_USER, "HKCU", "Window Title"},
      {"R0 - ", HKEY_LOCAL_MACHINE, "HKLM", "Window Title"}};
  for (const StartPageLine& line : kLines) {
    if (!ScanLogRegPresent(line.root, main, line.value)) continue;
    ScanLogLine(log, std::string(line.tag) + line.rootName + kMainText + line.value + " = " +
                         ScanLogRegText(line.root, main, line.value));
  }
}

void ScanLogWriteBootFiles(ScanLog& log) {
  const std::string shell = BootValue(log, "Shell");
  if (!shell.empty() && !EqualsNoCase(shell, "Explorer.exe"))
    ScanLogLine(log, "F0 - system.ini: Shell=" + shell);
  if (const std::string run = WinIniValue("run"); !run.empty())
    ScanLogLine(log, "F1 - win.ini: run=" + run);
  if (const std::string load = WinIniValue("load"); !load.empty())
    ScanLogLine(log, "F1 - win.ini: load=" + load);
  if (const std::string userinit = BootValue(log, "UserInit"); !userinit.empty())
    ScanLogLine(log, "F2 - REG: system.ini: UserInit=" + userinit);
  if (const std::string load = ScanLogRegText(HKEY_CURRENT_USER, kUserWindowsKey, "Load");
      !load.empty())
    ScanLogLine(log, "F3 - HKCU Load=" + load);
  if (const std::string run = ScanLogRegText(HKEY_CURRENT_USER, kUserWindowsKey, "Run");
      !run.empty())
    ScanLogLine(log, "F3 - HKCU Run=" + run);
}

void ScanLogWriteHosts(ScanLog& log) {
  char path[MAX_PATH] = "";
  std::string bytes;
  if (HostsFilePath(path, sizeof path) == 0 || !ScanLogReadFile(path, kHostsReadLimit, bytes))
    return;
  for (const std::string& line : HostsLoggedLines(bytes)) ScanLogLine(log, "O1 - Hosts: " + line);
}
