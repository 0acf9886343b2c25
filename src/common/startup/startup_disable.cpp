#include <string>

#include "startup/locations.h"
#include "startup/run_entry_name.h"
#include "startup/snapshot.h"
#include "startup/startup_action_steps.h"
#include "startup/startup_actions.h"
#include "startup/startup_approved.h"
#include "startup/startup_undo.h"

namespace {

enum class StartupOffState { kLive, kDisabled, kTurnedOffOnly };

// Turned off by Task Manager only: Windows starts it no more, yet Korvane's store holds nothing.
StartupOffState StartupOffStateOf(const char* title, const char* key, int code) {
  const std::string name = StartupEntryName(code, title, key);
  const char* approvedName = code == kLocationStartupFolder ? (key ? key : "") : name.c_str();
  const bool turnedOff = StartupApprovedOff(code, approvedName);
  if (!IsTitleDisabled(name.c_str()) && !turnedOff) return StartupOffState::kLive;
  if (turnedOff && DisabledIndexCode(name.c_str()) == kDisabledIndexMissing)
    return StartupOffState::kTurnedOffOnly;
  return StartupOffState::kDisabled;
}

}  // namespace

int DisableStartupEntry(const char* title, const char* command, const char* key, int code) {
  // A title already held would be enabled by the toggle, not disabled.
  if (title == nullptr || StartupOffStateOf(title, key, code) != StartupOffState::kLive) return 0;
  StartupUndoRecord(title, command, key, code);
  if (!ToggleStartupEntry(title, command, key, code)) return 0;
  StartupDisabledLine(title, command, key, code);
  return 1;
}

int DisableStartupEntryKnown(const char* title, const char* command, const char* key, int code) {
  if (title == nullptr) return 0;
  if (StartupOffStateOf(title, key, code) == StartupOffState::kTurnedOffOnly) {
    SnapshotMarkKnown(command, code);
    return 1;
  }
  if (!DisableStartupEntry(title, command, key, code)) return 0;
  SnapshotMarkKnown(command, code);
  return 1;
}
