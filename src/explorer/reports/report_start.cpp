#include "report_start.h"

#include <string_view>

#include "paths_text.h"
#include "report_scan_log.h"
#include "text.h"

namespace {

constexpr char kScanLogName[] = "hijack";

}  // namespace

bool ReportStartedForScanLog() {
  char path[MAX_PATH] = "";
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return false;
  const std::string_view running(path, length);
  return TextContainsNoCase(running.substr(FileNameOffset(running)), kScanLogName);
}

void ReportScanLogAtStart(HWND owner) {
  if (ReportStartedForScanLog()) WriteScanLog(owner, ScanLogPath(), true);
}
