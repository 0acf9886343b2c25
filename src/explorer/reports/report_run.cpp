#include "report_run.h"

#include <windows.h>
#include <objbase.h>

#include <string>

#include "categories/file_types.h"
#include "explorer_options.h"
#include "foundation/handles.h"
#include "foundation/strings.h"
#include "report_backup.h"
#include "report_json.h"
#include "report_scan_log.h"
#include "report_show.h"
#include "report_spreadsheet.h"
#include "report_system.h"
#include "startup/item_list.h"
#include "startup/locations.h"

namespace {

enum ReportRunExit { kWritten = 0, kNotWritten = 1, kUsage = 2 };

constexpr int kUsageString = 1322;
constexpr int kNotWrittenString = 1323;

bool ReportRunHtml(const std::string& path) { return WriteSystemReportFile(path, true); }
bool ReportRunText(const std::string& path) { return WriteSystemReportFile(path, false); }
// The scan log as both of the explorer's own callers write it, with the service lines.
bool ReportRunScanLog(const std::string& path) { return WriteScanLogFile(path, true); }

struct ReportRunRow {
  ReportKind kind;
  bool (*write)(const std::string& path);
};

constexpr ReportRunRow kReportWriters[] = {
    {ReportKind::Html, ReportRunHtml},
    {ReportKind::Text, ReportRunText},
    {ReportKind::ScanLog, ReportRunScanLog},
    {ReportKind::Spreadsheet, WriteSpreadsheetFile},
    {ReportKind::Backup, BackupSettingsFile},
    {ReportKind::Json, WriteJsonReportFile},
};

bool ReportRunWriteTo(HANDLE handle, const std::string& text) {
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  return WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
         written == text.size();
}

// A program without a console of its own: the error handle it was handed, else the console
// of the program that started it.
void ReportRunSay(const std::string& message) {
  const std::string line = message + "\r\n";
  if (ReportRunWriteTo(GetStdHandle(STD_ERROR_HANDLE), line)) return;
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
  Handle console(CreateFileA("CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_EXISTING, 0, nullptr));
  ReportRunWriteTo(console.get(), line);
}

// What the pages' start does before they list anything, without the first-run work of a
// window: the language, the 32-bit Run key, the options and the watched file types.
void ReportRunPrepare() {
  ChooseLanguage();
  ItemListClear();
  g_wow64RunKey = ProbeWow64RunKey();
  ExplorerLoadOptions(g_explorerOptions);
  ItemListSetCookieLimit(g_explorerOptions.value[kOptMaxCookie]);
  InitFileTypeStore();
}

int ReportRunWrite(const ReportSwitch& request) {
  for (const ReportRunRow& row : kReportWriters) {
    if (row.kind != request.kind) continue;
    if (row.write(request.path)) return kWritten;
    const DWORD error = GetLastError();
    const std::string kind(ReportKindName(request.kind));
    ReportRunSay(ReportFillText(kNotWrittenString, {kind, request.path, ReportErrorText(error)}));
    return kNotWritten;
  }
  ReportRunSay(ReportFillText(kUsageString, {}));
  return kUsage;
}

}  // namespace

int ReportRun(const ReportSwitch& request) {
  if (!request.valid) {
    ChooseLanguage();
    ReportRunSay(ReportFillText(kUsageString, {}));
    return kUsage;
  }
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  ReportRunPrepare();
  const int exitCode = ReportRunWrite(request);
  ItemListClear();
  if (SUCCEEDED(com)) CoUninitialize();
  return exitCode;
}
