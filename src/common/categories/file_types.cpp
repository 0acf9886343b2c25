#include "categories/file_types.h"

#include <windows.h>

#include <string>

#include "categories/file_types_machine.h"
#include "categories/file_types_store.h"
#include "categories/file_types_undo.h"
#include "filetype_text.h"
#include "foundation/handles.h"
#include "foundation/settings.h"
#include "text.h"

namespace {

constexpr char kUserFileExts[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\";

// Where a source reads the ProgID, and where its open command lives below which root.
struct SourceRow {
  HKEY progRoot;
  const char* progPrefix;
  const char* progValue;
  HKEY commandRoot;
  const char* commandPrefix;
  const char* storeKey;
  const char* classKey;
};

const SourceRow kSources[] = {
    {HKEY_LOCAL_MACHINE, kMachineClasses, nullptr, HKEY_LOCAL_MACHINE, kMachineClasses,
     kFileTypeExtKey, kFileTypeClassKey},
    {HKEY_CURRENT_USER, kUserFileExts, "Application", HKEY_CLASSES_ROOT, "Applications\\",
     kFileTypeExtAppKey, kFileTypeClassKey},
    {HKEY_CURRENT_USER, kUserFileExts, "ProgID", HKEY_CLASSES_ROOT, "",
     kFileTypeExtProgIdKey, kFileTypeClassKey},
    {HKEY_CLASSES_ROOT, "", nullptr, HKEY_CLASSES_ROOT, "", kFileTypeExtRootKey,
     kFileTypeClassRootKey},
};
constexpr int kSourceCount = static_cast<int>(std::size(kSources));

const SourceRow* Row(int source) {
  return source >= 1 && source <= kSourceCount ? &kSources[source - 1] : nullptr;
}

std::string CommandKey(const SourceRow& row, const char* progId) {
  return std::string(row.commandPrefix) + progId + kOpenCommand;
}

}  // namespace

const char* FileTypeSourceKey(int source) {
  const SourceRow* row = Row(source);
  return row ? row->storeKey : nullptr;
}

std::string FileTypeReadList(bool* tooLong) {
  char list[kFileTypeListSize];
  SettingsReadString(HKEY_CURRENT_USER, kFileTypeClassKey, nullptr, list, sizeof list);
  if (tooLong) {
    RegKey key;
    DWORD size = 0;
    *tooLong = key.Open(HKEY_CURRENT_USER, kFileTypeClassKey, KEY_QUERY_VALUE) &&
               RegQueryValueExA(key.get(), nullptr, nullptr, nullptr, nullptr, &size) ==
                   ERROR_SUCCESS &&
               size > static_cast<DWORD>(kFileTypeListSize);
  }
  return list;
}

int FileTypeWriteList(const std::string& list) {
  return SettingsWriteString(HKEY_CURRENT_USER, kFileTypeClassKey, nullptr, list.c_str());
}

bool LookUpAssociation(const char* ext, int source, char* progId260, char* command260) {
  progId260[0] = command260[0] = '\0';
  const SourceRow* row = Row(source);
  if (!row || !ext) return false;
  const std::string progKey = row->progPrefix + FileTypeDotted(ext);
  if (SettingsReadString(row->progRoot, progKey.c_str(), row->progValue, progId260,
                         kFileTypeTextSize) == 0)
    return false;
  const std::string commandKey = CommandKey(*row, progId260);
  return SettingsReadString(row->commandRoot, commandKey.c_str(), nullptr, command260,
                            kFileTypeTextSize) > 0;
}

void StoreAssociation(const char* ext, int source) {
  char progId[kFileTypeTextSize];
  char command[kFileTypeTextSize];
  if (!LookUpAssociation(ext, source, progId, command) || progId[0] == '\0') return;
  const SourceRow& row = *Row(source);
  const std::string dotted = FileTypeDotted(ext);
  SettingsWriteString(HKEY_CURRENT_USER, row.storeKey, dotted.c_str(), progId);
  // Kept as the registry has it: a path with blanks written back without its quotes would
  // open whatever program sits at the first blank.
  SettingsWriteString(HKEY_CURRENT_USER, row.classKey, progId, command);
}

int StoredAssociationCommand(const char* ext, int source, char* command260) {
  command260[0] = '\0';
  const SourceRow* row = Row(source);
  if (!row || !ext) return 0;
  char progId[kFileTypeTextSize];
  if (SettingsReadString(HKEY_CURRENT_USER, row->storeKey, FileTypeDotted(ext).c_str(), progId,
                         sizeof progId) == 0)
    return 0;
  return SettingsReadString(HKEY_CURRENT_USER, row->classKey, progId, command260,
                            kFileTypeTextSize);
}

namespace {

// The HKCR sources are written back where machine classes live, as they were first read, and
// go to the elevated job where this account may not write there.
bool RestoreAssociationWrite(const SourceRow& row, int source, const char* ext,
                             const std::string& progKey, const char* progId, const char* command,
                             const std::string& commandKey) {
  if (source == 1 || source == 4) return FileTypeRestoreMachine(ext, source);
  if (!SettingsWriteString(row.progRoot, progKey.c_str(), row.progValue, progId)) return false;
  return commandKey.empty() ||
         SettingsWriteString(row.commandRoot, commandKey.c_str(), nullptr, command) != 0;
}

}  // namespace

bool RestoreAssociation(const char* ext, int source) {
  const SourceRow* row = Row(source);
  if (!row || !ext) return false;
  const std::string dotted = FileTypeDotted(ext);
  char progId[kFileTypeTextSize];
  // An empty name would read the watched list out of the Class key's default value.
  if (SettingsReadString(HKEY_CURRENT_USER, row->storeKey, dotted.c_str(), progId,
                         sizeof progId) == 0)
    return false;
  const bool machine = source == 1 || source == 4;
  const std::string progKey = (machine ? kMachineClasses : row->progPrefix) + dotted;
  const HKEY progRoot = machine ? HKEY_LOCAL_MACHINE : row->progRoot;
  char command[kFileTypeTextSize] = "";
  const bool withCommand =
      source != 4 &&
      SettingsReadString(HKEY_CURRENT_USER, row->classKey, progId, command, sizeof command) > 0;
  const std::string commandKey = withCommand ? CommandKey(*row, progId) : std::string();
  char liveProgId[kFileTypeTextSize], live[kFileTypeTextSize];
  LookUpAssociation(ext, source, liveProgId, live);
  const char* given = withCommand ? command : progId;
  FileTypeUndoRecord(dotted.c_str(), given,
                     {progRoot, progKey.c_str(), row->progValue, row->commandRoot,
                      commandKey.c_str()});
  if (!RestoreAssociationWrite(*row, source, ext, progKey, progId, command, commandKey))
    return false;
  FileTypeRestoredLine(dotted.c_str(), given, live);
  return true;
}

int CompareAssociation(const char* ext, int source, std::string& stored, std::string& live) {
  stored.clear();
  live.clear();
  char progId[kFileTypeTextSize];
  char command[kFileTypeTextSize];
  if (!LookUpAssociation(ext, source, progId, command)) return 0;
  live = command;
  if (StoredAssociationCommand(ext, source, command) == 0) {
    StoreAssociation(ext, source);
    return 0;
  }
  stored = command;
  return FileTypeCommandsDiffer(stored, live) ? 1 : 0;
}
