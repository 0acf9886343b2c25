// Today's autostart points and the Task Scheduler 2.0 tasks in every report: the system
// report's page and text table, the spreadsheet and the JSON document, each under the place it
// lives in (a per-user point as HKCU, a machine point as HKLM, a task as the Task Scheduler).
#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

#include "categories/scheduled_tasks_v2.h"
#include "csv_text.h"
#include "reports/report_json.h"
#include "reports/report_spreadsheet.h"
#include "reports/report_system.h"
#include "sandbox.h"
#include "task_service_probe.h"

namespace {

constexpr char kIfeoNotepad[] =
    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Image File Execution Options\\notepad.exe";
constexpr char kIfeoLabel[] =
    "HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Image File Execution Options\\*  "
    "Debugger";
constexpr char kUserWinlogon[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
constexpr char kTaskFolder[] = "\\KvReportNew";
constexpr char kTaskPath[] = "\\KvReportNew\\Probe";
constexpr char kTaskLabel[] = "Windows Task Scheduler";

std::string TaskFileBytes() {
  const std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n<Task version=\"1.2\" "
      "xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\"><Actions><Exec><Command>"
      "C:\\Probe\\v2report.exe</Command></Exec></Actions></Task>\r\n";
  return Utf16WithMark(xml);
}

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// The line of the table that starts with the text; empty when none does.
std::string LineOf(const std::string& table, const std::string& start) {
  const std::size_t at = table.find("\r\n" + start);
  if (at == std::string::npos) return "";
  return table.substr(at + 2, table.find("\r\n", at + 2) - at - 2);
}

std::string JsonEscaped(std::string text) {
  for (std::size_t at = text.find('\\'); at != std::string::npos; at = text.find('\\', at + 2))
    text.insert(at, "\\");
  return text;
}

// The record with that title; empty when there is none.
std::vector<std::string> CsvRow(const std::string& text, const std::string& title) {
  std::size_t pos = 0;
  std::vector<std::string> fields;
  while (CsvReadRecord(text, pos, fields))
    if (fields.size() == 10 && fields[2] == title) return fields;
  return {};
}

class ReportNewPlacesTest : public RegistrySandbox {
 protected:
  void SetUp() override {
    RegistrySandbox::SetUp();
    WriteRegString(HKEY_LOCAL_MACHINE, kIfeoNotepad, "Debugger", "C:\\Bad\\dbg.exe");
    WriteRegString(HKEY_CURRENT_USER, kUserWinlogon, "Shell", "C:\\Bad\\usershell.exe");
    folder_ = TasksV2Folder() + kTaskFolder;
    ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr) ||
                GetLastError() == ERROR_ALREADY_EXISTS);
    std::ofstream(TasksV2Folder() + kTaskPath, std::ios::binary) << TaskFileBytes();
  }
  void TearDown() override {
    DeleteFileA((TasksV2Folder() + kTaskPath).c_str());
    RemoveDirectoryA(folder_.c_str());
    RegistrySandbox::TearDown();
  }
  std::string Written(const char* name, bool (*write)(const std::string&)) {
    const std::string path = ScratchFolder() + "\\" + name;
    EXPECT_TRUE(write(path)) << GetLastError();
    return FileText(path);
  }
  std::string folder_;
};

bool WriteHtml(const std::string& path) { return WriteSystemReportFile(path, true); }
bool WriteText(const std::string& path) { return WriteSystemReportFile(path, false); }

}  // namespace

TEST_F(ReportNewPlacesTest, SystemReportNamesThePointsAndTheTaskWithTheirPlaces) {
  const std::string table = Written("report.txt", WriteText);
  EXPECT_TRUE(Has(LineOf(table, "notepad.exe\t"),
                  std::string("\t") + kIfeoLabel + "\tC:\\Bad\\dbg.exe\t"))
      << table;
  EXPECT_TRUE(Has(LineOf(table, "Shell\t"),
                  "\tHKCU\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon  Shell\t"))
      << table;
  EXPECT_TRUE(Has(LineOf(table, std::string(kTaskPath) + "\t"),
                  std::string("\t") + kTaskLabel + "\tC:\\Probe\\v2report.exe\t"))
      << table;

  const std::string page = Written("report.html", WriteHtml);
  EXPECT_TRUE(Has(page, kIfeoLabel));
  EXPECT_TRUE(Has(page, kTaskPath));
  EXPECT_TRUE(Has(page, "v2report.exe"));
}

TEST_F(ReportNewPlacesTest, SpreadsheetAndJsonListThemUnderTheirOwnPlaces) {
  const std::string csv = Written("KorvaneLog.csv", WriteSpreadsheetFile);
  const std::vector<std::string> debugger = CsvRow(csv, "notepad.exe");
  ASSERT_FALSE(debugger.empty()) << csv;
  EXPECT_EQ("HKLM", debugger[0]);
  EXPECT_EQ("IFEO_DEBUGGER", debugger[1]);
  const std::vector<std::string> shell = CsvRow(csv, "Shell");
  ASSERT_FALSE(shell.empty()) << csv;
  EXPECT_EQ("HKCU", shell[0]) << "a per-user point is the user's";
  EXPECT_EQ("HKCU_LOGON_SHELL", shell[1]);
  const std::vector<std::string> task = CsvRow(csv, kTaskPath);
  ASSERT_FALSE(task.empty()) << csv;
  EXPECT_EQ("Scheduled Tasks", task[0]);
  EXPECT_EQ("C:\\Probe\\v2report.exe", task[6]);

  const std::string json = Written("report.json", WriteJsonReportFile);
  EXPECT_EQ(0u, json.find("{\r\n  \"schema\": 2,"));
  EXPECT_TRUE(Has(json, "{\"category\": \"startup\", \"locationCode\": 260, \"locationName\": \"" +
                            JsonEscaped(kIfeoLabel) + "\", \"title\": \"notepad.exe\""))
      << json;
  EXPECT_TRUE(Has(json, "{\"category\": \"startup\", \"locationCode\": 263, "));
  EXPECT_TRUE(Has(json, std::string("{\"category\": \"scheduledTasks\", \"locationCode\": 801, "
                                    "\"locationName\": \"") +
                            kTaskLabel + "\", \"title\": \"" + JsonEscaped(kTaskPath) + "\""))
      << json;
}
