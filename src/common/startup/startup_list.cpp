#include "startup/startup_list.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "foundation/filefacts.h"
#include "foundation/handles.h"
#include "foundation/paths.h"
#include "foundation/platform.h"
#include "foundation/options.h"
#include "foundation/settings.h"
#include "paths_text.h"
#include "startup/item_list.h"
#include "startup/locations.h"
#include "startup/reg_values.h"
#include "startup/run_entry_name.h"
#include "startup/startup_actions.h"
#include "startup/startup_folders.h"
#include "startup/startup_points.h"
#include "startup/value_table.h"
#include "startup_text.h"
#include "text.h"

namespace {

// Names are read whole, so that a long one still names its value and its index entry; the
// item list bounds what it keeps of names and data.
constexpr std::size_t kRunTextMax = 32767;
constexpr std::size_t kDisabledTextMax = 32767;
constexpr int kIndexNumberSize = 17;
constexpr int kWinIniSize = 512;
constexpr int kWinlogonSize = 260;
constexpr int kRootBases[] = {0, 10, 20};
constexpr int kWow64Base = 20;
constexpr int kDisabledStoresListed = 9;
constexpr char kWinlogonKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";

// The value examined last; a value repeating it exactly (ignoring case) is passed over.
struct PreviousValue {
  std::string name;
  std::string data;
  bool Repeats(const char* otherName, const char* otherData) const {
    return EqualsNoCase(name, otherName) && EqualsNoCase(data, otherData);
  }
};

// A disabled entry that came back: restoring and disabling again moves the live value, with
// its new data, into the disabled store. True when it left the key. A name that was cut does
// not name the live value, which is then left alone.
bool ReturnToDisabledStore(HKEY key, const char* name, const char* data, int code) {
  if (!HasValue(key, name)) return false;
  ToggleStartupEntry(name, data, "", code);
  ToggleStartupEntry(name, data, "", code);
  return !HasValue(key, name);
}

// Every named value is an entry, however short or foreign its name or data: Windows runs
// them all. A name the title cannot hold whole rides in the key, where the actions look.
void AddRunValue(const char* name, const char* data, int code) {
  if (name[0] == '\0') return;
  std::string command;
  const int viaRundll = RundllTarget(data, command);
  ItemAdd(name, command.c_str(), RunEntryKeyFor(name), "", code, viaRundll);
}

// The disabled index is read once for all keys; a value moved back into the disabled store
// changes it, and it is read again.
void EnumRunKey(HKEY key, int code, ValueTable& disabledIndex, ValueCursor& cursor,
                PreviousValue& previous) {
  if (!ValueCursorStart(cursor, key)) return;
  for (ValueRead read; (read = ValueCursorNext(cursor, kRunTextMax)) != ValueRead::kEnd;) {
    if (read != ValueRead::kText) continue;
    const char* name = cursor.name.data();
    const char* data = cursor.data.data();
    if (previous.Repeats(name, data)) continue;
    // A value the disabled store could not take back stays live, so it is listed.
    if (name[0] != '\0' && disabledIndex.Find(name) != nullptr &&
        ReturnToDisabledStore(key, name, data, code)) {
      ValueCursorStay(cursor);
      disabledIndex.Read(HKEY_LOCAL_MACHINE, kDisabledIndexKey);
      continue;
    }
    AddRunValue(name, data, code);
    previous.name = name;
    previous.data = data;
  }
}

void EnumWinIniKey(const char* keyName, int code) {
  char text[kWinIniSize] = "";
  GetProfileStringA("windows", keyName, "", text, sizeof text);
  for (std::string_view piece : SplitItems(text, ";")) {
    const std::string item(piece);
    VersionStrings version;
    ReadVersionStrings(item.c_str(), &version);
    const char* product = version.text[kProductName];
    ItemAdd(product[0] ? product : keyName, item.c_str(), "", "", code, 0);
  }
}

void EnumDisabledStore(const char* subKey, const ValueTable& disabledIndex, ValueCursor& cursor) {
  std::string path = std::string(kDisabledIndexKey) + "\\" + subKey;
  RegKey store;
  if (!store.Open(HKEY_LOCAL_MACHINE, path.c_str(), KEY_READ) ||
      !ValueCursorStart(cursor, store.get()))
    return;
  for (ValueRead read; (read = ValueCursorNext(cursor, kDisabledTextMax)) != ValueRead::kEnd;) {
    const char* name = cursor.name.data();
    if (read != ValueRead::kText || name[0] == '\0') continue;
    char number[kIndexNumberSize];
    disabledIndex.Text(name, number, sizeof number);
    const int code = ParseDecimal(number);
    const char* key = IsRunFamily(code) ? RunEntryKeyFor(name) : "";
    if (code > 0) ItemAdd(name, cursor.data.data(), key, "", code, 0);
  }
}

int WinlogonExtra(const char* value, int (*rule)(std::string_view, std::string&), char* out) {
  char text[kWinlogonSize];
  ReadKeyText(HKEY_LOCAL_MACHINE, kWinlogonKey, value, text, sizeof text);
  std::string extra;
  const int found = rule(text, extra);
  CopyBounded(out, kWinlogonSize, extra);
  return found;
}

bool IsNtFamily() { return RunningWindowsVersion().platformId == VER_PLATFORM_WIN32_NT; }

void AddWinlogonEntries() {
  char command[kWinlogonSize];
  if (WinlogonUserinitExtra(command))
    ItemAdd("Winlogon Userinit", command, "", "", kLocationUserinit, 0);
  if (WinlogonShellExtra(command)) ItemAdd("Winlogon Shell", command, "", "", kLocationShell, 0);
}

void EnumRunKeysWith(ValueTable& disabledIndex) {
  ValueCursor cursor;
  PreviousValue previous;
  for (int base : kRootBases) {
    if (base == kWow64Base && !g_wow64RunKey) continue;
    for (int position = 0; position < kRunFamilySize; ++position) {
      const int code = base + position + 1;
      RegKey key;
      if (key.Open(LocationRoot(code), LocationKeyPath(code), KEY_READ))
        EnumRunKey(key.get(), code, disabledIndex, cursor, previous);
    }
  }
}

// The stores are walked only while the index opens: without it no entry has a location.
void EnumDisabledEntriesWith(const ValueTable& disabledIndex) {
  if (disabledIndex.Opened()) {
    ValueCursor cursor;
    for (int store = 0; store < kDisabledStoresListed; ++store)
      EnumDisabledStore(DisabledStoreSubKey(store), disabledIndex, cursor);
  }
  char folder[kPathSize] = "";
  if (ProgramFolder(folder, sizeof folder) == 0) return;
  AppendBounded(folder, sizeof folder, "\\Disabled");
  WalkStartupFolder(folder);
}

}  // namespace

void EnumRunKeys() {
  ValueTable disabledIndex;
  disabledIndex.Read(HKEY_LOCAL_MACHINE, kDisabledIndexKey);
  EnumRunKeysWith(disabledIndex);
}

void EnumWinIni() {
  EnumWinIniKey("run", kLocationWinRun);
  EnumWinIniKey("load", kLocationWinLoad);
}

void EnumDisabledEntries() {
  ValueTable disabledIndex;
  disabledIndex.Read(HKEY_LOCAL_MACHINE, kDisabledIndexKey);
  EnumDisabledEntriesWith(disabledIndex);
}

int WinlogonUserinitExtra(char* out260) {
  return WinlogonExtra("UserInit", UserinitExtraText, out260);
}

int WinlogonShellExtra(char* out260) { return WinlogonExtra("Shell", ShellExtraText, out260); }

bool StartupListShowsAll(int quick) {
  return quick == 0 || OptionRead(kOptShowAllStartup) > 0;
}

int BuildStartupList(int quick) {
  ItemListClear();
  // One read of the disabled index serves every Run value and every disabled entry.
  ValueTable disabledIndex;
  disabledIndex.Read(HKEY_LOCAL_MACHINE, kDisabledIndexKey);
  EnumRunKeysWith(disabledIndex);
  EnumStartupFolders();
  EnumWinIni();
  EnumDisabledEntriesWith(disabledIndex);
  const bool everything = StartupListShowsAll(quick);
  if (everything && IsNtFamily()) AddWinlogonEntries();
  if (everything) EnumShellHooks();
  if (everything) StartupPointsList();
  return ItemCount();
}
