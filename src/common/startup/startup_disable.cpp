#include <string>

#include "startup/locations.h"
#include "startup/run_entry_name.h"
#include "startup/snapshot.h"
#include "startup/startup_action_steps.h"
#include "startup/startup_actions.h"
#include "startup/startup_approved.h"

int DisableStartupEntryKnown(const char* title, const char* command, const char* key, int code) {
  // A title already held would be enabled by the toggle, not disabled.
  if (title == nullptr) return 0;
  const std::string name = IsRunFamily(code) ? RunEntryName(code, title, key) : title;
  const char* approvedName = code == kLocationStartupFolder ? (key ? key : "") : name.c_str();
  const bool turnedOff = StartupApprovedOff(code, approvedName);
  if (IsTitleDisabled(name.c_str()) || turnedOff) {
    // Turned off by Task Manager only: Windows starts it no more, so it is disabled already.
    if (DisabledIndexCode(name.c_str()) != kDisabledIndexMissing || !turnedOff) return 0;
    SnapshotMarkKnown(command, code);
    return 1;
  }
  if (!ToggleStartupEntry(title, command, key, code)) return 0;
  SnapshotMarkKnown(command, code);
  return 1;
}
