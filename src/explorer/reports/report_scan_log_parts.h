// What the scan log's groups of lines share: the file, the options of this log, and the
// reading of the places they look at.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "foundation/reg_raw.h"
#include "report_facts.h"
#include "report_file.h"
#include "startup/item_list.h"

struct ScanLog {
  ReportFile& file;
  bool full;
  std::string windowsFolder;  // the real one, never a literal C:\WINDOWS
  ReportFacts& facts;
};

// One line; control characters in the system's texts become blanks, so no finding can forge
// a line of its own.
void ScanLogLine(ScanLog& log, std::string_view text);
void ScanLogSeparator(ScanLog& log);

// The value as text; empty when it is not there.
std::string ScanLogRegText(HKEY root, const char* key, const char* value);
// The value's number (a REG_DWORD, or decimal text); 0 when it is not there.
long ScanLogRegNumber(HKEY root, const char* key, const char* value);
bool ScanLogRegPresent(HKEY root, const char* key, const char* value);
std::vector<std::string> ScanLogSubKeys(HKEY root, const std::string& key);
std::vector<RegRawValue> ScanLogValues(HKEY root, const std::string& key);
// The file's bytes, at most limit of them; false when it cannot be read.
bool ScanLogReadFile(const std::string& path, std::size_t limit, std::string& out);
// The rows an enumeration leaves in the item list; the list is emptied afterwards.
std::vector<ItemRow> ScanLogRows(void (*fill)());

// The groups of lines, each in the log's order.
void ScanLogWriteHeader(ScanLog& log);
void ScanLogWriteProcesses(ScanLog& log);
void ScanLogWriteStartPages(ScanLog& log);      // R0, R1
void ScanLogWriteBootFiles(ScanLog& log);       // F0-F3
void ScanLogWriteHosts(ScanLog& log);           // O1
void ScanLogWriteIEHelpers(ScanLog& log);       // O2, O3
void ScanLogWriteRunEntries(ScanLog& log);      // O4
void ScanLogWriteStartupPoints(ScanLog& log);   // O4, the points beyond the Run family
void ScanLogWritePolicies(ScanLog& log);        // O5-O7
void ScanLogWriteBrowserExtras(ScanLog& log);   // O8, O9, O11, O12
void ScanLogWritePrefixes(ScanLog& log);        // O13, O14
void ScanLogWriteZonesAndDownloads(ScanLog& log);  // O15, O16
void ScanLogWriteNetwork(ScanLog& log);         // O17
void ScanLogWriteStyleSheet(ScanLog& log);      // O19
void ScanLogWriteShellHooks(ScanLog& log);      // O20-O22
void ScanLogWriteServices(ScanLog& log);        // O23
void ScanLogWriteDesktopComponents(ScanLog& log);  // O24
void ScanLogWriteAdditional(ScanLog& log);      // browsers, cookies, KV lines, memory
