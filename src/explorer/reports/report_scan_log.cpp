#include "report_scan_log.h"

#include "categories/active_tasks.h"
#include "foundation/strings.h"
#include "report_header.h"
#include "report_scan_log_parts.h"
#include "report_show.h"
#include "scan_log_text.h"

namespace {

constexpr int kRunningProcessesString = 818;

std::string ScanLogWindowsFolder() {
  char folder[MAX_PATH] = "";
  const UINT length = GetWindowsDirectoryA(folder, sizeof folder);
  if (length == 0 || length >= sizeof folder) return {};
  return folder;
}

const char* ScanLogBootMode() {
  switch (GetSystemMetrics(SM_CLEANBOOT)) {
    case 0: return "Boot mode: Normal";
    case 1: return "Boot mode: Safe";
    case 2: return "Boot mode: Safe with Network";
    default: return "Boot mode: Unknown";
  }
}

void ScanLogFillActiveTasks() { EnumerateActiveTasks(); }

}  // namespace

void ScanLogLine(ScanLog& log, std::string_view text) { log.file.WriteLine(ScanLogField(text)); }

void ScanLogSeparator(ScanLog& log) { log.file.Write("\r\n"); }

void ScanLogWriteHeader(ScanLog& log) {
  ScanLogLine(log, "Log created by " + ReportProgramCaption() + " version " + ReportBuildText());
  ScanLogLine(log, "Scan saved at " + ReportNowText());
  ScanLogLine(log, "Platform: " + OsVersionText());
  ScanLogLine(log, ReportMsieLine(false));
  ScanLogLine(log, ScanLogBootMode());
}

void ScanLogWriteProcesses(ScanLog& log) {
  char heading[128] = "";
  LocalString(kRunningProcessesString, heading, sizeof heading);
  ScanLogLine(log, heading);
  for (const ItemRow& row : ScanLogRows(ScanLogFillActiveTasks)) ScanLogLine(log, row.command);
}

std::string ScanLogPath() { return ReportDataPath("HijackKorvane.log"); }

bool WriteScanLogFile(const std::string& path, bool full) {
  ReportFile file(path);
  if (!file.ok()) return file.Commit();
  ReportFacts facts;
  ReportFactsBegin(facts);
  ScanLog log{file, full, ScanLogWindowsFolder(), facts};
  ScanLogWriteHeader(log);
  ScanLogWriteProcesses(log);
  ScanLogSeparator(log);
  ScanLogWriteStartPages(log);
  ScanLogWriteBootFiles(log);
  ScanLogWriteHosts(log);
  ScanLogWriteIEHelpers(log);
  ScanLogWriteRunEntries(log);
  ScanLogWriteStartupPoints(log);
  ScanLogWritePolicies(log);
  ScanLogWriteBrowserExtras(log);
  ScanLogWritePrefixes(log);
  ScanLogWriteZonesAndDownloads(log);
  ScanLogWriteNetwork(log);
  ScanLogWriteStyleSheet(log);
  ScanLogWriteShellHooks(log);
  ScanLogWriteServices(log);
  ScanLogWriteDesktopComponents(log);
  ScanLogSeparator(log);
  ScanLogWriteAdditional(log);
  return file.Commit();
}

int WriteScanLog(HWND owner, const std::string& path, bool full) {
  if (!WriteScanLogFile(path, full)) {
    ReportTellNotWritten(owner, path, GetLastError());
    return 0;
  }
  return ReportShow(owner, path) ? 1 : 0;
}
