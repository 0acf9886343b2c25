#include "startup/self_autostart.h"

#include <windows.h>

#include <cstddef>
#include <vector>

#include "foundation/paths.h"
#include "foundation/settings.h"
#include "foundation/strings.h"
#include "startup/item_list.h"
#include "startup/locations.h"
#include "startup/snapshot.h"
#include "startup/startup_actions.h"
#include "startup/startup_list.h"
#include "resource.h"
#include "text.h"

int g_selfAutostart = 0;

namespace {

inline constexpr char kMachineRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kAutostartProgram[] = "\\korvane.exe";
inline constexpr char kAutostartSwitch[] = " -expressboot";
inline constexpr int kRegTextSize = 1024;

bool SelfAutostartValueSet(int nameNumber) {
  char name[kRegTextSize] = "";
  if (LocalString(nameNumber, name, sizeof name) == 0) return false;
  char data[kRegTextSize] = "";
  return SettingsReadString(HKEY_LOCAL_MACHINE, kMachineRunKey, name, data, sizeof data) > 0;
}

// Quoted, so that a folder with a blank in its path cannot be taken for another program.
void SelfAutostartCommand(char* quoted, char* listed) {
  char program[kRegTextSize] = "";
  ProgramFolder(program, kPathSize);
  AppendBounded(program, sizeof program, kAutostartProgram);
  CopyBounded(quoted, kRegTextSize, "\"");
  AppendBounded(quoted, kRegTextSize, program);
  AppendBounded(quoted, kRegTextSize, "\"");
  AppendBounded(quoted, kRegTextSize, kAutostartSwitch);
  // The startup list shows the command without its quotes.
  CopyBounded(listed, kRegTextSize, program);
  AppendBounded(listed, kRegTextSize, kAutostartSwitch);
}

int SelfAutostartOn() {
  char command[kRegTextSize] = "";
  char listed[kRegTextSize] = "";
  SelfAutostartCommand(command, listed);
  char name[kRegTextSize] = "";
  LocalString(IDS_CAPTION, name, sizeof name);
  const int written = SettingsWriteString(HKEY_LOCAL_MACHINE, kMachineRunKey, name, command);
  if (!written) return 0;
  g_selfAutostart = 1;
  // Known beforehand, so the sweep raises no alert about the monitor's own entry.
  SnapshotMarkKnown(listed, kLocationMachineRun);
  return written;
}

struct ListedEntry {
  char command[kItemCommandSize];
  char key[kItemKeySize];
  int code;
};

// Titles under which the two programs may have put themselves into a startup location.
inline constexpr const char* kMonitorTitles[] = {"Korvane", "Korvane System Monitor"};
inline constexpr const char* kExplorerTitles[] = {"Korvane Explorer"};

template <std::size_t N>
void SelfAutostartRemoveTitles(const ListedEntry& entry, const char* const (&titles)[N]) {
  for (const char* title : titles) RemoveStartupEntry(title, entry.command, entry.key, entry.code);
}

// Removes the monitor's and the explorer's entries from the startup list just built;
// 1 when a monitor entry was among them. The list is copied first because removing
// entries must not walk a list that the removal may rebuild.
int SelfAutostartRemoveListed() {
  std::vector<ListedEntry> entries(static_cast<std::size_t>(ItemCount()));
  for (int i = 0; i < ItemCount(); ++i) {
    ItemCommand(i, entries[i].command);
    ItemKey(i, entries[i].key);
    entries[i].code = ItemCode(i);
  }
  int found = 0;
  for (ListedEntry& entry : entries) {
    char name[kItemCommandSize];
    SnapshotName(entry.command, name);
    if (ContainsNoCase(name, "Korvane.exe")) {
      SelfAutostartRemoveTitles(entry, kMonitorTitles);
      found = 1;
    } else if (ContainsNoCase(name, "KorvaneEx.exe")) {
      SelfAutostartRemoveTitles(entry, kExplorerTitles);
    }
  }
  return found;
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
