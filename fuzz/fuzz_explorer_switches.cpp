// The explorer's command line and stored start page: whatever they hold, the start asks for
// a page of the table or one of the frame's action commands, never anything else; a report
// request names a known kind and its file.
#include <set>
#include <string>

#include "explorer_switches.h"
#include "fuzz_check.h"
#include "page_table.h"
#include "text.h"

namespace {

const std::set<int> kActionCommands = {6045, 6046, 6047, 6048};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const int stored = static_cast<int>(static_cast<std::uint32_t>(input.Number(4)));
  const std::string_view line = input.Rest();

  const int start = StartPageCommand(stored);
  KV_CHECK(IsPageCommand(start));
  KV_CHECK(start == stored || start == 6026);

  const ExplorerSwitches parsed = ParseExplorerSwitches(line, stored);
  KV_CHECK(IsPageCommand(parsed.pageCommand) || kActionCommands.count(parsed.pageCommand) == 1);
  KV_CHECK(parsed.quit == TextContainsNoCase(line, "-q"));
  if (line.size() >= 773) {
    KV_CHECK(parsed.pageCommand == start && !parsed.quit && !parsed.startMonitor);
  }
  if (!TextContainsNoCase(line, "-")) KV_CHECK(parsed.pageCommand == start);
  const std::size_t index = PageStartIndex(PagesPresent(stored & 1), parsed.pageCommand);
  KV_CHECK(index < kPageCount);

  // A report request names a known kind and a file without quotes, and only a line that holds
  // the switch's text makes one.
  const ReportSwitch report = ParseReportSwitch(line);
  KV_CHECK(report.present || !report.valid);
  if (!TextContainsNoCase(line, "-report")) KV_CHECK(!report.present);
  if (report.valid) {
    KV_CHECK(!report.path.empty() && report.path.find('"') == std::string::npos);
    KV_CHECK(ParseReportSwitch("-Report " + std::string(ReportKindName(report.kind)) + " \"" +
                               report.path + "\"").path == report.path);
  }
  return 0;
}
