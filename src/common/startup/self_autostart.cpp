#include "startup/self_autostart.h"

#include <windows.h>

#include "foundation/paths.h"
#include "foundation/settings.h"
#include "foundation/strings.h"
#include "startup/startup_actions.h"
#include "startup/startup_list.h"
#include "resource.h"
#include "text.h"

int g_selfAutostart = 0;

namespace {

inline constexpr char kMachineRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kKnownStartupKey[] = "Software\\Tamsel\\Korvane\\Run";
inline constexpr char kAutostartProgram[] = "\\korvane.exe -expressboot";
inline constexpr int kRegTextSize = 1024;

bool SelfAutostartValueSet(int nameNumber) {
  char name[kRegTextSize] = "";
  if (LocalString(nameNumber, name, sizeof name) == 0) return false;
  char data[kRegTextSize] = "";
  return SettingsReadString(HKEY_LOCAL_MACHINE, kMachineRunKey, name, data, sizeof data) > 0;
}

int SelfAutostartOn() {
  char command[kRegTextSize] = "";
  ProgramFolder(command, kPathSize);
  AppendBounded(command, sizeof command, kAutostartProgram);
  char name[kRegTextSize] = "";
  LocalString(IDS_CAPTION, name, sizeof name);
  const int written = SettingsWriteString(HKEY_LOCAL_MACHINE, kMachineRunKey, name, command);
  if (written) g_selfAutostart = 1;
  // Known beforehand, so the sweep raises no alert about the monitor's own entry.
  SettingsWriteString(HKEY_CURRENT_USER, kKnownStartupKey, command, "1");
  return written;
}

// Removes the monitor's and the explorer's entries from the startup list just built;
// 1 when a monitor entry was among them.
int SelfAutostartRemoveListed() {
  return 0;  // TODO(item list): walk the list once the startup enumeration fills it.
}

int SelfAutostartOff() {
  BuildStartupList(0);
  const int found = SelfAutostartRemoveListed();
  if (found) g_selfAutostart = 0;
  return found;
}

}  // namespace

bool IsSelfAutostart() {
  return SelfAutostartValueSet(IDS_CAPTION) || SelfAutostartValueSet(IDS_EXPLORER_CAPTION);
}

int SetSelfAutostart(bool on) { return on ? SelfAutostartOn() : SelfAutostartOff(); }
