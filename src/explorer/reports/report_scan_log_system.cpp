// Where the system itself is redirected or hooked: name servers and search domains (O17),
// DLLs loaded into every program (O20), shell service objects (O21), shared task schedulers
// (O22) and services (O23).
#include "categories/class_server.h"
#include "categories/services.h"
#include "report_scan_log_parts.h"
#include "text.h"

namespace {

constexpr char kTcpipKey[] = "System\\CurrentControlSet\\Services\\Tcpip\\Parameters";
constexpr char kTcpipText[] = "System\\CCS\\Services\\Tcpip\\Parameters";
constexpr char kMstcpKey[] = "System\\CurrentControlSet\\Services\\VxD\\MSTCP";
constexpr char kWindowsKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
constexpr char kDelayLoadKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\ShellServiceObjectDelayLoad";
constexpr char kSharedSchedulerKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\SharedTaskScheduler";
// The shell service objects every Windows loads: the post-boot reminder, CD burning, the
// web-check agent and the tray.
constexpr const char* kKnownDelayLoads[] = {
    "{7849596a-48ea-486e-8937-a2a3009f31a9}", "{fbeb8a05-beee-4442-804e-409d6c4515e9}",
    "{E6FB5E20-DE35-11CF-9C87-00AA005127ED}", "{35CEC8A3-2BE6-11D2-8773-92E220524153}"};

void ScanLogFillServices() { EnumerateServices(0); }

void WriteNameServers(ScanLog& log, const char* key, const std::string& shown) {
  for (const char* value : {"SearchList", "NameServer"}) {
    const std::string text = ScanLogRegText(HKEY_LOCAL_MACHINE, key, value);
    if (!text.empty()) ScanLogLine(log, "O17 - HKLM\\" + shown + ": " + value + " = " + text);
  }
}

std::string ClassServer(const std::string& clsid) {
  char className[512] = "";
  char server[MAX_PATH] = "";
  LookUpClassServer(clsid.c_str(), className, server);
  return server;
}

bool KnownDelayLoad(const std::string& clsid) {
  for (const char* known : kKnownDelayLoads)
    if (EqualsNoCase(clsid, known)) return true;
  return false;
}

std::string FileNamePart(const std::string& path) {
  const std::size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

void ScanLogWriteNetwork(ScanLog& log) {
  WriteNameServers(log, kTcpipKey, kTcpipText);
  const std::string interfaces = std::string(kTcpipKey) + "\\Interfaces";
  for (const std::string& id : ScanLogSubKeys(HKEY_LOCAL_MACHINE, interfaces))
    WriteNameServers(log, (interfaces + "\\" + id).c_str(),
                     std::string(kTcpipText) + "\\Interfaces\\" + id);
  if (const std::string domain = ScanLogRegText(HKEY_LOCAL_MACHINE, kMstcpKey, "Domain");
      !domain.empty())
    ScanLogLine(log, "O17 - HKLM\\System\\CCS\\Services\\VxD\\MSTCP: Domain = " + domain);
  if (const std::string domain = ScanLogRegText(HKEY_LOCAL_MACHINE, kTcpipKey, "Domain");
      !domain.empty())
    ScanLogLine(log, "O17 - HKLM\\System\\CCS\\Services\\Tcpip\\Parameters: Domain = " + domain);
}

void ScanLogWriteShellHooks(ScanLog& log) {
  if (const std::string dlls = ScanLogRegText(HKEY_LOCAL_MACHINE, kWindowsKey, "AppInit_DLLs");
      !dlls.empty())
    ScanLogLine(log, "O20 - AppInit_DLLs: " + dlls);
  for (const RegRawValue& value : ScanLogValues(HKEY_LOCAL_MACHINE, kDelayLoadKey)) {
    const std::string clsid = RegRawText(value);
    if (clsid.empty() || KnownDelayLoad(clsid)) continue;
    ScanLogLine(log, "O21 - SSODL - " + value.name + " - " + clsid + " - " + ClassServer(clsid));
  }
  for (const RegRawValue& value : ScanLogValues(HKEY_LOCAL_MACHINE, kSharedSchedulerKey)) {
    const std::string server = ClassServer(value.name);
    if (EqualsNoCase(FileNamePart(server), "browseui.dll")) continue;
    ScanLogLine(log, "O22 - SharedTaskScheduler: (" + RegRawText(value) + ") - " + value.name +
                         " - " + server);
  }
}

void ScanLogWriteServices(ScanLog& log) {
  if (!log.full) return;
  for (const ItemRow& row : ScanLogRows(ScanLogFillServices)) {
    const ReportProgram& program = ReportFactsProgram(log.facts, row.command);
    const std::string company = program.company.empty() ? "Unknown owner" : program.company;
    ScanLogLine(log, "O23 - Service: " + row.title + " - " + company + " - " + row.command);
  }
}
