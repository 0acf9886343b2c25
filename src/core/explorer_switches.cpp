#include "explorer_switches.h"

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
