// The log's closing part: the browsers, the cookie stores, Korvane's own findings (the KV
// lines) and the memory status.
#include "categories/activex.h"
#include "categories/cookies.h"
#include "categories/cookies_folders.h"
#include "categories/file_types.h"
#include "categories/hidden_files.h"
#include "categories/scheduled_tasks.h"
#include "foundation/strings.h"
#include "numbers_text.h"
#include "report_header.h"
#include "report_scan_log_parts.h"
#include "resource.h"
#include "startup/delayed_start.h"

namespace {

constexpr char kSessionManagerKey[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
constexpr char kEnvironmentKey[] =
    "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";
constexpr char kAutoUpdateKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\WindowsUpdate\\Auto Update";
constexpr char kDefaultPrefixKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\URL\\DefaultPrefix";
constexpr char kPrefixesKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\URL\\Prefixes";
constexpr int kHiddenFilesLogged = 41;
constexpr int kKillBit = 0x400;

void FillDelayed() { LoadDelayedList(); }
// A scheduler that cannot be asked may leave the list as it was: then there are no tasks.
void FillScheduledTasks() {
  if (EnumerateScheduledTasks() <= 0) ItemListClear();
}
void FillActiveX() { EnumerateActiveX(0); }
void FillHiddenFiles() { EnumerateHiddenFiles(); }
void FillFileTypes() { EnumerateFileTypes(); }
void FillCookies() { EnumerateCookies(0); }

int CookieCount(int kind) {
  const int previous = CookieKindGet();
  CookieKindSet(kind);
  const int count = static_cast<int>(ScanLogRows(FillCookies).size());
  CookieKindSet(previous);
  return count;
}

void WriteBrowsers(ScanLog& log) {
  ScanLogLine(log, ReportBrowserLine(false, "Default Browser"));
  ScanLogLine(log, ReportMsieLine(false));
  for (const std::string& line : ReportOtherBrowserLines(false, true)) ScanLogLine(log, line);
}

void WriteCookies(ScanLog& log) {
  char folder[MAX_PATH] = "";
  if (FindIECookieFolder(folder, sizeof folder))
    ScanLogLine(log, std::to_string(CookieCount(kCookieKindIE)) + " IE Cookies in Folder: " + folder);
  if (FindMozillaProfileFolder(folder, sizeof folder))
    ScanLogLine(log, std::to_string(CookieCount(kCookieKindMozilla)) +
                         " Mozilla Cookies in Folder: " + folder);
}

void WriteSessionLines(ScanLog& log) {
  const std::string shown = kSessionManagerKey;
  if (const std::string boot = ScanLogRegText(HKEY_LOCAL_MACHINE, kSessionManagerKey, "BootExecute");
      !boot.empty())
    ScanLogLine(log, "KV00 - HKLM\\" + shown + ": BootExecute = " + boot);
  if (const std::string pending =
          ScanLogRegText(HKEY_LOCAL_MACHINE, kSessionManagerKey, "PendingFileRenameOperations");
      !pending.empty())
    ScanLogLine(log, "KV01 - HKLM\\" + shown + ": PendingFileRenameOperations = " + pending);
  if (const std::string command = ScanLogRegText(HKEY_LOCAL_MACHINE, kEnvironmentKey, "ComSpec");
      !command.empty())
    ScanLogLine(log, "KV02 - HKLM\\" + std::string(kEnvironmentKey) + ": Command = " + command);
  const long mode = ScanLogRegNumber(HKEY_LOCAL_MACHINE, kAutoUpdateKey, "AUOptions");
  if (mode != 0) {
    char text[256] = "";
    LocalString(IDS_UPDATE_MODE_TITLE + static_cast<int>(mode), text, sizeof text);
    ScanLogLine(log, "KV03 - Windows Automatic Update = " + std::to_string(mode) + ":" + text);
  }
}

void WritePrefixLines(ScanLog& log) {
  if (ScanLogRegPresent(HKEY_LOCAL_MACHINE, kDefaultPrefixKey, ""))
    ScanLogLine(log, "KV08 - HKLM\\" + std::string(kDefaultPrefixKey) + ": Default = " +
                         ScanLogRegText(HKEY_LOCAL_MACHINE, kDefaultPrefixKey, ""));
  for (const RegRawValue& value : ScanLogValues(HKEY_LOCAL_MACHINE, kPrefixesKey))
    ScanLogLine(log, "KV08 - HKLM\\" + std::string(kPrefixesKey) + ": " + value.name + " = " +
                         RegRawText(value));
}

void WriteDelayedLines(ScanLog& log) {
  for (const ItemRow& row : ScanLogRows(FillDelayed))
    ScanLogLine(log, "KV06 - Delayed Start: [" + row.title + "]" + row.command);
}

void WriteItemLines(ScanLog& log) {
  for (const ItemRow& row : ScanLogRows(FillScheduledTasks))
    ScanLogLine(log, "KV31 - Scheduled Tasks: [" + row.title + "]" + row.command + " " + row.extra);
  for (const ItemRow& row : ScanLogRows(FillActiveX))
    if ((row.value & kKillBit) == 0)
      ScanLogLine(log, "KV16 - ActiveX: " + row.key + " [" + row.title + "] " + row.command + " " +
                           row.extra);
  int hidden = 0;
  for (const ItemRow& row : ScanLogRows(FillHiddenFiles))
    if (hidden++ < kHiddenFilesLogged) ScanLogLine(log, "KV32 - Hidden File: " + row.command);
  for (const ItemRow& row : ScanLogRows(FillFileTypes))
    ScanLogLine(log, "KV33 - File Type " + row.extra + ": [" + row.title + "]" + row.command);
}

void WriteMemory(ScanLog& log) {
  MEMORYSTATUSEX status = {};
  status.dwLength = sizeof status;
  if (!GlobalMemoryStatusEx(&status)) return;
  const auto kilobytes = [](DWORDLONG bytes) {
    return GroupThousands(static_cast<std::int64_t>(bytes / 1024));
  };
  ScanLogLine(log, "Memory currently in use: " + std::to_string(status.dwMemoryLoad) + "%");
  ScanLogLine(log, "Physical Memory Free: " + kilobytes(status.ullAvailPhys) + " KB");
  ScanLogLine(log, "Paging File Free: " + kilobytes(status.ullAvailPageFile) + " KB");
  ScanLogLine(log, "Virtual Memory Free: " + kilobytes(status.ullAvailVirtual) + " KB");
}

}  // namespace

void ScanLogWriteAdditional(ScanLog& log) {
  ScanLogLine(log, "---  Additional Korvane Info  ---");
  WriteBrowsers(log);
  WriteCookies(log);
  ScanLogSeparator(log);
  WriteSessionLines(log);
  WriteDelayedLines(log);
  WritePrefixLines(log);
  WriteItemLines(log);
  ScanLogSeparator(log);
  WriteMemory(log);
  ScanLogSeparator(log);
  ScanLogLine(log, "--");
  ScanLogLine(log, "End of file");
}
