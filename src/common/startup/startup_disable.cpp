#include "startup/locations.h"
#include "startup/run_entry_name.h"
#include "startup/snapshot.h"
#include "startup/startup_actions.h"
#include "startup/startup_undo.h"

int DisableStartupEntry(const char* title, const char* command, const char* key, int code) {
  // A title already held would be enabled by the toggle, not disabled.
  if (title == nullptr) return 0;
  if (IsTitleDisabled(IsRunFamily(code) ? RunEntryName(code, title, key).c_str() : title))
    return 0;
  StartupUndoRecord(title, command, key, code);
  if (!ToggleStartupEntry(title, command, key, code)) return 0;
  StartupDisabledLine(title, command, key, code);
  return 1;
}

int DisableStartupEntryKnown(const char* title, const char* command, const char* key, int code) {
  if (!DisableStartupEntry(title, command, key, code)) return 0;
  SnapshotMarkKnown(command, code);
  return 1;
}
