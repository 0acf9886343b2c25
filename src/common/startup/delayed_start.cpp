#include "startup/delayed_start.h"

#include <shellapi.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "categories/active_tasks.h"
#include "delay_text.h"
#include "foundation/filefacts.h"
#include "foundation/handles.h"
#include "foundation/paths.h"
#include "foundation/settings.h"
#include "foundation/user_hooks.h"
#include "item_codes.h"
#include "paths_text.h"
#include "startup_text.h"
#include "startup/delayed_undo.h"
#include "startup/item_list.h"
#include "startup/reg_values.h"
#include "startup/snapshot.h"
#include "startup/startup_actions.h"
#include "text.h"

namespace {

constexpr char kApplet[] = "RunDLL32.exe";
constexpr char kWindowsBrand[] = "Microsoft\xAE Windows\xAE";
constexpr int kNameMax = 255;
constexpr int kTextSize = 1024;
constexpr int kShowStates[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};

int g_delayedLaunched = 0;

HKEY RootByCode(int code) { return DelayRoot(DelayPerMachine(code) ? 0 : 1); }

std::string WindowsFolder() {
  char folder[kPathSize] = {};
  const UINT length = GetWindowsDirectoryA(folder, kPathSize);
  return length > 0 && length < kPathSize ? std::string(folder, length) : std::string();
}

std::string ReadText(HKEY root, const char* subkey, const char* program, int capacity) {
  std::vector<char> out(capacity, '\0');
  ReadKeyText(root, subkey, program, out.data(), capacity);
  return out.data();
}

// The title a record without a stored one is shown with, and the FileDescription.
std::string DelayTitleFromFile(const char* program, std::string& description) {
  VersionStrings strings{};
  if (ReadVersionStrings(program, &strings)) description = strings.text[kFileDescription];
  std::string title = strings.text[kProductName];
  if (title.empty()) FileNamePart(program, title);
  if (TextContainsNoCase(title, kWindowsBrand)) title = description;
  return title;
}

void DelayLoadRecord(HKEY root, int rootIndex, const char* program, const char* codeText) {
  std::string description;
  std::string title = ReadText(root, kDelayTitleKey, program, kItemTitleSize);
  std::string fromFile = DelayTitleFromFile(program, description);
  if (title.empty()) title = fromFile;
  const int code = ParseDecimal(codeText);
  const std::string key = code == kLocationStartupFolder
                              ? ReadText(root, kDelayShortcutsKey, program, kItemKeySize)
                              : title;
  ItemAdd(title.c_str(), program, key.c_str(), description.c_str(), code, rootIndex);
}

// Both walks below visit every value of a key once; the cursor bounds them.
template <class Visit>
void DelayWalk(HKEY root, const char* subkey, Visit visit) {
  RegKey key;
  ValueCursor cursor;
  if (!key.Open(root, subkey, KEY_READ) || !ValueCursorStart(cursor, key.get())) return;
  for (ValueRead read; (read = ValueCursorNext(cursor, kNameMax)) != ValueRead::kEnd;)
    if (read == ValueRead::kText) visit(cursor.name.data(), cursor.data.data());
}

void DelayStart(HKEY root, const char* program) {
  std::string parameters = ReadText(root, kDelayParametersKey, program, kTextSize);
  char file[kPathSize] = {};
  NormaliseCommand(program, file, kPathSize);
  if (IsProgramRunning(file)) return;
  const std::string applet = ReadText(root, kDelayAppletKey, program, kPathSize);
  if (applet.empty()) {
    RunDelayedProgram(program, parameters.c_str());
    return;
  }
  RunDelayedProgram(applet.c_str(), (file + parameters).c_str());
}

int DelayShellOpen(const char* program, const char* parameters, int show) {
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
  info.lpVerb = "open";
  info.lpFile = program;
  info.lpParameters = parameters;
  info.nShow = show;
  if (ShellExecuteExA(&info)) return 0;
  const int error = static_cast<int>(GetLastError());
  return error ? error : 1;
}

}  // namespace

HKEY DelayRoot(int rootIndex) { return rootIndex == 0 ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }

int DelayStartupEntry(const char* title, const char* command, const char* key, int code,
                      int rundll) {
  if (code >= kLocationUserinit) return kDelayRefused;
  if (!command || ContainsNoCase(command, "korvane.exe")) return kDelayRefusedStop;
  // Delaying takes the entry out of its place; only a shortcut can be made again from the
  // record, any other file would be lost with it.
  if (code == kLocationStartupFolder &&
      (!key || StartupFileKindOf(key) != StartupFileKind::kShortcut))
    return kDelayRefused;
  std::string program, parameters;
  if (SplitCommand(command, WindowsFolder(), program, parameters) == 0) return kDelaySkipped;
  if (DelayPerMachine(code) && !UserConfirmDelayAllUsers(title)) return kDelaySkipped;
  DelayedUndoRecord(title, command, key, code, rundll, program);
  const HKEY root = RootByCode(code);
  const char* name = program.c_str();
  char codeText[16];
  std::snprintf(codeText, sizeof codeText, "%d", code);
  if (!SettingsWriteString(root, kDelayKey, name, codeText)) return kDelaySkipped;
  SettingsWriteString(root, kDelayTitleKey, name, title);
  SettingsWriteString(root, kDelayTimeKey, name, std::to_string(kDelayNewSeconds).c_str());
  if (!parameters.empty()) SettingsWriteString(root, kDelayParametersKey, name, parameters.c_str());
  SettingsWriteString(root, kDelayShortcutsKey, name, key);
  if (rundll) SettingsWriteString(root, kDelayAppletKey, name, kApplet);
  // An entry that stays in its location would start twice: once normally, once delayed.
  if (!RemoveStartupEntry(title, command, key, code)) {
    ForgetDelayed(root, name);
    return kDelaySkipped;
  }
  SnapshotMarkKnown(command, kDelayedMarker);
  DelayedLine(title, command, key, code);
  return kDelayDone;
}

int LoadDelayedList() {
  ItemListClear();
  g_delayedLaunched = 0;
  for (int rootIndex = 0; rootIndex < kDelayRootCount; ++rootIndex) {
    const HKEY root = DelayRoot(rootIndex);
    DelayWalk(root, kDelayKey, [&](const char* program, const char* codeText) {
      DelayLoadRecord(root, rootIndex, program, codeText);
    });
  }
  return ItemCount();
}

int RunDelayedSlot(int seconds) {
  for (int rootIndex = 0; rootIndex < kDelayRootCount; ++rootIndex) {
    const HKEY root = DelayRoot(rootIndex);
    DelayWalk(root, kDelayTimeKey, [&](const char* program, const char* timeText) {
      if (DelaySeconds(timeText) != seconds) return;
      DelayStart(root, program);
      ++g_delayedLaunched;
    });
  }
  return g_delayedLaunched;
}

int RunDelayedProgram(const char* program, const char* parameters) {
  if (!program || !*program) return ERROR_FILE_NOT_FOUND;
  const int state = DelayState(ReadText(HKEY_CURRENT_USER, kDelayOpenAsKey, program, 16));
  const int show = kShowStates[state];
  if (DelayShellOpen(program, parameters && *parameters ? parameters : nullptr, show) == 0)
    return 0;
  return DelayShellOpen(program, nullptr, show);
}

void ForgetDelayed(HKEY root, const char* program) {
  for (const char* subkey : {kDelayKey, kDelayTimeKey, kDelayParametersKey, kDelayShortcutsKey,
                             kDelayAppletKey, kDelayTitleKey})
    SettingsDeleteValue(root, subkey, program);
}

int RestoreDelayed(const char* title, const char* program, const char* key, int code,
                   bool putBack) {
  if (!program) return 0;
  const HKEY root = RootByCode(code);
  if (putBack) {
    const std::string command =
        DelayRestoreCommand(program, ReadText(root, kDelayParametersKey, program, kTextSize),
                            ReadText(root, kDelayAppletKey, program, kPathSize));
    if (!RestoreStartupEntry(title, command.c_str(), key, code)) return 0;
  }
  // A leftover Applet would make a later record of the same program start through RUNDLL32.
  ForgetDelayed(root, program);
  return 1;
}

namespace {

HKEY DelayEditRoot(const char* program) {
  std::string code = ReadText(HKEY_CURRENT_USER, kDelayKey, program, 16);
  if (code.empty()) code = ReadText(HKEY_LOCAL_MACHINE, kDelayKey, program, 16);
  return code.empty() ? nullptr : RootByCode(ParseDecimal(code));
}

}  // namespace

int DelayedEditLoad(const char* program, DelayedEdit* out) {
  *out = DelayedEdit{};
  const HKEY root = program ? DelayEditRoot(program) : nullptr;
  if (!root) return 0;
  const std::string time = ReadText(root, kDelayTimeKey, program, 16);
  const DelayEntries entries = DelayToEntries(DelaySeconds(time));
  out->minutes = entries.minutes;
  out->tenSeconds = entries.tenSeconds;
  out->state = DelayState(ReadText(HKEY_CURRENT_USER, kDelayOpenAsKey, program, 16));
  ReadKeyText(root, kDelayParametersKey, program, out->parameters, kDelayEditTextSize);
  ReadKeyText(root, kDelayTitleKey, program, out->title, kDelayEditTextSize);
  return 1;
}

int DelayedEditSave(const char* program, const DelayedEdit& edit) {
  const HKEY root = program ? DelayEditRoot(program) : nullptr;
  if (!root) return 0;
  const int state = edit.state < 0 || edit.state > kDelayStateMax ? 0 : edit.state;
  std::string parameters(edit.parameters, strnlen(edit.parameters, kDelayEditTextSize - 1));
  std::string title(edit.title, strnlen(edit.title, kDelayEditTextSize - 1));
  const std::string time = std::to_string(DelayFromEntries(edit.minutes, edit.tenSeconds));
  return SettingsWriteString(root, kDelayTimeKey, program, time.c_str()) &&
         SettingsWriteString(HKEY_CURRENT_USER, kDelayOpenAsKey, program,
                             std::to_string(state).c_str()) &&
         SettingsWriteString(root, kDelayParametersKey, program, parameters.c_str()) &&
         SettingsWriteString(root, kDelayTitleKey, program, title.c_str());
}

int RestoreAllDelayed() {
  struct Record {
    char title[kItemTitleSize], program[kItemCommandSize], key[kItemKeySize];
    int code;
  };
  std::vector<Record> records(LoadDelayedList());
  for (int i = 0; i < static_cast<int>(records.size()); ++i) {
    ItemTitle(i, records[i].title);
    ItemCommand(i, records[i].program);
    ItemKey(i, records[i].key);
    records[i].code = ItemCode(i);
  }
  int restored = 0;
  for (const Record& r : records)
    restored += RestoreDelayed(r.title, r.program, r.key, r.code, true);
  return restored;
}

int AddDelayedProgram(const char* path, bool allUsers) {
  if (!path || !*path) return 0;
  const HKEY root = DelayRoot(allUsers ? 0 : 1);
  if (!SettingsWriteString(root, kDelayKey, path, allUsers ? "1" : "11")) return 0;
  return SettingsWriteString(root, kDelayTimeKey, path, std::to_string(kDelayNewSeconds).c_str());
}
