#include "explorer_init.h"

#include <windows.h>

#include "categories/file_types.h"
#include "explorer_options.h"
#include "foundation/settings.h"
#include "setup/settings_init.h"
#include "foundation/strings.h"
#include "records/first_detected.h"
#include "start_counter.h"
#include "startup/item_list.h"
#include "startup/locations.h"
#include "startup/self_autostart.h"

namespace {

void ExplorerLoadAllOptions() {
  ExplorerLoadOptions(g_explorerOptions);
  ItemListSetCookieLimit(g_explorerOptions.value[kOptMaxCookie]);
}

// Stored before pruning, so a start that ends early still moves the turn on.
void ExplorerAdvanceStartCounter() {
  const int counter = NextStartCounter(g_explorerOptions.value[kOptStartCounter]);
  g_explorerOptions.value[kOptStartCounter] = counter;
  OptionSet(OptionRowFor(kOptStartCounter).name, counter);
  PruneFirstDetected(HKEY_CURRENT_USER, PruneCategoryFor(counter));
}

}  // namespace

void ExplorerInitialize() {
  ChooseLanguage();
  ItemListClear();
  g_wow64RunKey = ProbeWow64RunKey();
  SettingsFirstRun();
  SettingsVersionAndCleanup();
  ExplorerLoadAllOptions();
  g_selfAutostart = IsSelfAutostart() ? 1 : 0;
  // The File Types page lists the watched types: the store must exist before it fills.
  InitFileTypeStore();
  ExplorerAdvanceStartCounter();
}
