#include "report_spreadsheet.h"

#include <vector>

#include "categories/active_tasks.h"
#include "categories/activex.h"
#include "categories/ie_helpers.h"
#include "categories/scheduled_tasks.h"
#include "categories/services.h"
#include "csv_text.h"
#include "report_facts.h"
#include "report_file.h"
#include "report_header.h"
#include "report_show.h"
#include "scan_log_text.h"
#include "startup/delayed_start.h"
#include "startup/locations.h"
#include "startup/startup_list.h"
#include "startup/startup_points.h"
#include "text.h"

namespace {

void FillStartup() { BuildStartupList(0); }
void FillDelayed() { LoadDelayedList(); }
void FillActiveTasks() { EnumerateActiveTasks(); }
void FillIEHelpers() { EnumerateIEHelpers(); }
void FillActiveX() { EnumerateActiveX(0); }
void FillServices() { EnumerateServices(0); }
// A scheduler that cannot be asked may leave the list as it was: then there are no tasks.
void FillScheduledTasks() {
  if (EnumerateScheduledTasks() <= 0) ItemListClear();
}

std::vector<ItemRow> SpreadsheetRows(void (*fill)()) {
  ItemListClear();
  fill();
  std::vector<ItemRow> rows;
  for (ItemRow& row : ItemRowsCopy())
    if (!row.title.empty() || !row.command.empty()) rows.push_back(std::move(row));
  ItemListClear();
  return rows;
}

std::string FileNamePart(const std::string& path) {
  const std::size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The program's file name as the command writes it: the normalised file is in capitals.
std::string SpreadsheetFileName(const std::string& command, const std::string& file) {
  const std::string name = FileNamePart(file.empty() ? command : file);
  const std::size_t at = UpperText(command).find(UpperText(name));
  return at == std::string::npos ? name : command.substr(at, name.size());
}

void SpreadsheetWriteRow(ReportFile& file, ReportFacts& facts, std::string_view type,
                         std::string_view subType, const ItemRow& row) {
  const ReportProgram& program = ReportFactsProgram(facts, row.command);
  file.Write(CsvRecord({std::string(type), std::string(subType), row.title,
                        SpreadsheetFileName(row.command, program.file),
                        program.company, ReportFactsDetected(facts, program, row.code),
                        row.command, program.description, program.version,
                        program.signatureText}));
}

// Run-family entries by their key; the other startup places under the short name of their
// location.
void SpreadsheetWriteStartup(ReportFile& file, ReportFacts& facts) {
  const std::vector<ItemRow> rows = SpreadsheetRows(FillStartup);
  for (const ItemRow& row : rows) {
    if (row.code == kLocationStartupFolder) continue;
    const bool perUser = StartupPointCode(row.code) ? StartupPointPerUser(row.code)
                                                    : LocationRoot(row.code) == HKEY_CURRENT_USER;
    SpreadsheetRunType type = SpreadsheetRunTypeOf(row.code, perUser);
    const char* shortName = ShortLocationName(row.code);
    if (!IsRunFamily(row.code) && shortName != nullptr && shortName[0] != '\0')
      type.subType = shortName;
    SpreadsheetWriteRow(file, facts, type.type, type.subType, row);
  }
  for (const ItemRow& row : rows)
    if (row.code == kLocationStartupFolder) SpreadsheetWriteRow(file, facts, "Startup", "Folder", row);
}

void SpreadsheetWriteAll(ReportFile& file, ReportFacts& facts, const char* type,
                         void (*fill)()) {
  for (const ItemRow& row : SpreadsheetRows(fill)) SpreadsheetWriteRow(file, facts, type, "", row);
}

void SpreadsheetWriteHelpers(ReportFile& file, ReportFacts& facts, bool toolbars) {
  for (const ItemRow& row : SpreadsheetRows(FillIEHelpers)) {
    if ((row.code == kTypeToolbar) != toolbars) continue;
    const char* subType = row.code == kTypeToolbar ? "Toolbar"
                          : row.code == kTypeExtension ? "Extension" : "";
    SpreadsheetWriteRow(file, facts, "IE Helpers", subType, row);
  }
}

}  // namespace

std::string SpreadsheetPath() { return ReportDataPath("KorvaneLog.csv"); }

bool WriteSpreadsheetFile(const std::string& path) {
  ReportFile file(path);
  if (!file.ok()) return file.Commit();
  ReportFacts facts;
  ReportFactsBegin(facts);
  file.Write(CsvRecord({"Log created by " + ReportProgramCaption() + " version " + ReportBuildText()}));
  file.Write(CsvRecord({"Scan saved at " + ReportNowText()}));
  file.Write(CsvRecord({"Type", "SubType", "Title", "Filename", "Company", "First Detected", "Path",
                        "Description", "Version", "Signature"}));
  SpreadsheetWriteStartup(file, facts);
  SpreadsheetWriteAll(file, facts, "Delayed Start", FillDelayed);
  SpreadsheetWriteAll(file, facts, "Active Tasks", FillActiveTasks);
  SpreadsheetWriteHelpers(file, facts, false);
  SpreadsheetWriteAll(file, facts, "ActiveX", FillActiveX);
  SpreadsheetWriteHelpers(file, facts, true);
  SpreadsheetWriteAll(file, facts, "Services", FillServices);
  SpreadsheetWriteAll(file, facts, "Scheduled Tasks", FillScheduledTasks);
  return file.Commit();
}

int WriteSpreadsheet(HWND owner, const std::string& path) {
  if (!WriteSpreadsheetFile(path)) {
    ReportTellNotWritten(owner, path, GetLastError());
    return 0;
  }
  return ReportShow(owner, path) ? 1 : 0;
}
