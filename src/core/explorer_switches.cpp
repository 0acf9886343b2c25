#include "explorer_switches.h"

#include <vector>

#include "page_table.h"
#include "resource.h"
#include "text.h"

namespace {

struct SwitchRow {
  const char* text;
  int pageCommand;
};

// Table order decides: "-COOKIE" and "-NUT" together open the Cookies page without the
// viewer, "-OPTION" with "-TASK" opens Active Tasks.
constexpr SwitchRow kSwitches[] = {
    {"-START", ID_PAGE_STARTUP},
    {"-VELT", ID_PAGE_VELT},
    {"-SERVICE", ID_PAGE_SERVICES},
    {"-BHO", ID_PAGE_IE_HELPERS},
    {"-COOKIE", ID_CMD_COOKIE_VIEWER},
    {"-NUT", ID_PAGE_COOKIES},
    {"-OPTION", ID_PAGE_OPTIONS},
    {"-SCHEDULE", ID_PAGE_SCHEDULED_TASKS},
    {"-TASK", ID_PAGE_ACTIVE_TASKS},
    {"-DELAY", ID_PAGE_DELAYED},
    {"-FILETYPE", ID_PAGE_FILE_TYPES},
    {"-HIDDEN", ID_PAGE_HIDDEN_FILES},
    {"-ACTIVEX", ID_PAGE_ACTIVEX},
    {"-MONITOR", ID_CMD_MONITOR},
    {"-BLACKLIST", ID_CMD_BLACKLIST},
    {"-EXIT", ID_CMD_EXIT_REQUEST},
    {"-RESTART", ID_PAGE_OPTIONS},
};

constexpr char kStartSwitch[] = "-START";
constexpr char kQuitSwitch[] = "-Q";
constexpr char kReportSwitch[] = "-Report";

struct ReportKindRow {
  const char* word;
  ReportKind kind;
};

constexpr ReportKindRow kReportKinds[] = {
    {"html", ReportKind::Html},       {"txt", ReportKind::Text},
    {"log", ReportKind::ScanLog},     {"csv", ReportKind::Spreadsheet},
    {"reg", ReportKind::Backup},      {"json", ReportKind::Json},
};

std::vector<std::string> ReportSwitchWords(std::string_view line) {
  std::vector<std::string> words;
  std::string word;
  bool quoted = false, inWord = false;
  for (char c : line) {
    if (c == '"') {
      quoted = !quoted;
      inWord = true;
    } else if ((c == ' ' || c == '\t') && !quoted) {
      if (inWord) words.push_back(word);
      word.clear();
      inWord = false;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) words.push_back(word);
  return words;
}

}  // namespace

int StartPageCommand(int storedStartTab) {
  return IsPageCommand(storedStartTab) ? storedStartTab : ID_PAGE_STARTUP;
}

ExplorerSwitches ParseExplorerSwitches(std::string_view commandLine, int storedStartTab) {
  ExplorerSwitches result{StartPageCommand(storedStartTab), false, false};
  for (const SwitchRow& row : kSwitches)
    if (TextContainsNoCase(commandLine, row.text)) result.pageCommand = row.pageCommand;
  result.startMonitor = TextContainsNoCase(commandLine, kStartSwitch);
  result.quit = TextContainsNoCase(commandLine, kQuitSwitch);
  return result;
}

ReportSwitch ParseReportSwitch(std::string_view commandLine) {
  ReportSwitch result;
  const std::vector<std::string> words = ReportSwitchWords(commandLine);
  std::size_t at = 0;
  while (at < words.size() && !EqualsNoCase(words[at], kReportSwitch)) ++at;
  if (at == words.size()) return result;
  result.present = true;
  if (at + 2 >= words.size() || words[at + 2].empty()) return result;
  for (const ReportKindRow& row : kReportKinds) {
    if (!EqualsNoCase(words[at + 1], row.word)) continue;
    result.kind = row.kind;
    result.path = words[at + 2];
    result.valid = true;
  }
  return result;
}

std::string_view ReportKindName(ReportKind kind) {
  for (const ReportKindRow& row : kReportKinds)
    if (row.kind == kind) return row.word;
  return {};
}
