#include "startup/locations.h"
#include "startup/snapshot.h"
#include "startup/startup_actions.h"

int DisableStartupEntryKnown(const char* title, const char* command, const char* key, int code) {
  // A title already held would be enabled by the toggle, not disabled.
  if (title == nullptr || IsTitleDisabled(title)) return 0;
  if (!ToggleStartupEntry(title, command, key, code)) return 0;
  SnapshotMarkKnown(command, code);
  return 1;
}
