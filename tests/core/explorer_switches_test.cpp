#include "explorer_switches.h"

#include <gtest/gtest.h>

#include <string>

#include "page_table.h"

namespace {

int PageFor(std::string_view commandLine, int startTab = 0) {
  return ParseExplorerSwitches(commandLine, startTab).pageCommand;
}

}  // namespace

TEST(ExplorerSwitches, EachSwitchAndTheFormsTheMonitorPasses) {
  const struct {
    const char* line;
    int page;
  } cases[] = {
      {"-START", 6026},     {"-VELT", 6027},      {"-SERVICES", 6038}, {"-BHO", 6040},
      {"-COOKIES", 6045},   {"-NUTS", 6028},      {"-options", 6033},  {"-Schedule", 6039},
      {"-TASK", 6029},      {"-DELAY", 6055},     {"-FILETYPES", 6042}, {"-hidden", 6052},
      {"-ACTIVEX", 6056},   {"-MONITOR", 6046},   {"-BLACKLIST", 6047}, {"-EXIT", 6048},
      {"-RESTART", 6033},   {"\"C:\\K\\KorvaneEx.exe\" -velt", 6027},
  };
  for (const auto& c : cases) EXPECT_EQ(c.page, PageFor(c.line, 6039)) << c.line;
}

TEST(ExplorerSwitches, TheLaterSwitchOfTheTableWinsWhateverTheOrderOnTheLine) {
  EXPECT_EQ(6028, PageFor("-COOKIE -NUT"));
  EXPECT_EQ(6028, PageFor("-NUT -COOKIE"));
  EXPECT_EQ(6029, PageFor("-TASK -OPTION"));
  EXPECT_EQ(6033, PageFor("-RESTART -VELT"));
  EXPECT_EQ(6048, PageFor("-exit -start -velt"));
}

TEST(ExplorerSwitches, MonitorStartAndQuitRequests) {
  EXPECT_TRUE(ParseExplorerSwitches("-start", 0).startMonitor);
  EXPECT_TRUE(ParseExplorerSwitches("x -Start", 0).startMonitor);
  EXPECT_FALSE(ParseExplorerSwitches("-RESTART", 0).startMonitor);
  EXPECT_FALSE(ParseExplorerSwitches("-VELT", 0).startMonitor);
  EXPECT_TRUE(ParseExplorerSwitches("-q", 0).quit);
  EXPECT_TRUE(ParseExplorerSwitches("-VELT -Q", 0).quit);
  EXPECT_FALSE(ParseExplorerSwitches("-VELT", 0).quit);
  EXPECT_FALSE(ParseExplorerSwitches("", 0).quit);
}

TEST(ExplorerSwitches, NothingMatchesOnALineOf773CharactersOrMore) {
  std::string line = "-TASK -Q -START ";
  line.resize(772, ' ');
  EXPECT_EQ(6029, PageFor(line));
  EXPECT_TRUE(ParseExplorerSwitches(line, 0).quit);
  line += ' ';
  const ExplorerSwitches tooLong = ParseExplorerSwitches(line, 6027);
  EXPECT_EQ(6027, tooLong.pageCommand);
  EXPECT_FALSE(tooLong.quit);
  EXPECT_FALSE(tooLong.startMonitor);
}

TEST(ExplorerSwitches, WithoutASwitchTheStoredPageOpensWhenItIsAPage) {
  EXPECT_EQ(6027, PageFor("", 6027));
  EXPECT_EQ(6056, PageFor("-unknown", 6056));
  EXPECT_EQ(6033, PageFor("", 6033));
}

TEST(ExplorerSwitches, AHostileStoredPageOpensTheStartupPage) {
  // Action commands, the opening marker, numbers between pages and beyond every range.
  for (int stored : {0, 1, -1, -6027, 6025, 6030, 6031, 6034, 6045, 6048, 6049, 6050, 6053,
                     6057, 16027, 2147483647, -2147483647 - 1})
    EXPECT_EQ(6026, StartPageCommand(stored)) << stored;
  for (const PageRow& row : kPageTable)
    EXPECT_EQ(row.pageCommand, StartPageCommand(row.pageCommand));
}

TEST(ReportSwitch, EachKindWithItsFile) {
  const struct {
    const char* line;
    ReportKind kind;
    const char* path;
  } cases[] = {
      {"-Report html C:\\r.html", ReportKind::Html, "C:\\r.html"},
      {"-report TXT r.txt", ReportKind::Text, "r.txt"},
      {"-REPORT log \"C:\\My Logs\\scan.log\"", ReportKind::ScanLog, "C:\\My Logs\\scan.log"},
      {"-Report csv C:\\a\\b.csv -START", ReportKind::Spreadsheet, "C:\\a\\b.csv"},
      {"-Report reg x.reg", ReportKind::Backup, "x.reg"},
      {"\t-Report   Json\t\"C:\\out\\all items.json\"  ", ReportKind::Json,
       "C:\\out\\all items.json"},
      {"-VELT -Report json C:\\x-q.json", ReportKind::Json, "C:\\x-q.json"},
  };
  for (const auto& c : cases) {
    const ReportSwitch parsed = ParseReportSwitch(c.line);
    EXPECT_TRUE(parsed.present) << c.line;
    EXPECT_TRUE(parsed.valid) << c.line;
    EXPECT_EQ(c.kind, parsed.kind) << c.line;
    EXPECT_EQ(c.path, parsed.path) << c.line;
  }
  EXPECT_EQ("json", ReportKindName(ReportKind::Json));
  EXPECT_EQ("txt", ReportKindName(ReportKind::Text));
}

TEST(ReportSwitch, AMissingOrUnknownPartIsNoValidRequest) {
  for (const char* line : {"-Report", "-Report json", "-Report pdf x.pdf", "-Report \"\" x",
                           "-Report json \"\"", "-report html"}) {
    const ReportSwitch parsed = ParseReportSwitch(line);
    EXPECT_TRUE(parsed.present) << line;
    EXPECT_FALSE(parsed.valid) << line;
  }
}

TEST(ReportSwitch, OnlyAWordOfItsOwnIsTheSwitch) {
  for (const char* line : {"", "-START", "C:\\-report\\x.json", "-Reports html x", "x-Report html y",
                           "\"-Report html x\""})
    EXPECT_FALSE(ParseReportSwitch(line).present) << line;
  // A quoted switch word is still the word.
  EXPECT_TRUE(ParseReportSwitch("\"-Report\" html x").valid);
}
