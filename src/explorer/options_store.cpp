#include "options_store.h"

#include "explorer_options.h"
#include "foundation/settings.h"
#include "foundation/trace.h"

namespace {

bool g_changedHere[kOptionCount] = {};

// The start counter lives in memory until the explorer ends; everything else the explorer
// writes is in the registry as whoever stored it last left it.
bool OptionsStoreTakesOver(const OptionRow& row) {
  return !(row.flags & (kOptNotLoaded | kOptNotWritten)) && row.id != kOptStartCounter &&
         !g_changedHere[row.id];
}

}  // namespace

void OptionsStoreChange(OptionId id, int value) {
  g_explorerOptions.value[id] = value;
  g_changedHere[id] = true;
}

int OptionsStoreValue(OptionId id) { return g_explorerOptions.value[id]; }

void OptionsStoreRefresh() {
  for (const OptionRow& row : kOptionTable)
    if (OptionsStoreTakesOver(row))
      g_explorerOptions.value[row.id] = OptionGet(row.name, row.explorerDefault);
}

bool OptionsStoreWriteAll() {
  OptionsStoreRefresh();
  bool written = true;
  for (const OptionRow& row : kOptionTable) {
    if (row.flags & kOptNotWritten) continue;
    if (!OptionSet(row.name, g_explorerOptions.value[row.id])) written = false;
  }
  if (!written) TraceNote("options", "an option could not be written");
  return written;
}
