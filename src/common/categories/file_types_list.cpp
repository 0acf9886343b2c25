#include <windows.h>

#include <string>
#include <vector>

#include "categories/file_types.h"
#include "categories/file_types_store.h"
#include "filetype_text.h"
#include "foundation/filefacts.h"
#include "foundation/paths.h"
#include "foundation/settings.h"
#include "foundation/strings.h"
#include "foundation/trace.h"
#include "paths_text.h"
#include "resource.h"
#include "startup/item_list.h"
#include "text.h"

namespace {

constexpr int kEnumeratedSources = 3;
constexpr int kOldMarkerLength = 11;
constexpr int kReadyWindow = 10;
const char* const kCreatedKeys[] = {kFileTypeExtKey, kFileTypeExtAppKey, kFileTypeExtProgIdKey,
                                    kFileTypeClassKey};

void AddItem(const std::string& ext, int source, const char* progId, const char* command) {
  char title[kItemTitleSize];
  const std::string classKey = kMachineClasses + std::string(progId);
  SettingsReadString(HKEY_LOCAL_MACHINE, classKey.c_str(), nullptr, title, sizeof title);
  if (title[0] != '\0') {
    ItemAdd(title, command, progId, ext.c_str(), kFileTypeCode, source);
    return;
  }
  char program[kPathSize] = "";
  NormaliseCommand(command, program, sizeof program);
  VersionStrings facts{};
  ReadVersionStrings(program, &facts);
  char description[kItemKeySize];
  CopyBounded(title, sizeof title, facts.text[kProductName]);
  CopyBounded(description, sizeof description, facts.text[kFileDescription]);
  ItemAdd(title, command, description, ext.c_str(), kFileTypeCode, source);
}

void StoreEnumerated() {
  char extra[kItemExtraSize];
  for (int i = 0; i < ItemCount(); ++i) {
    ItemExtra(i, extra, sizeof extra);
    StoreAssociation(extra, ItemValue(i));
  }
}

bool StoreReady(const char* marker) {
  if (marker[0] == '\0') return false;
  const std::string list = FileTypeReadList();
  return list.substr(0, kReadyWindow).find(';') != std::string::npos;
}

int CreateFileTypeStore() {
  for (const char* key : kCreatedKeys) SettingsCreateKey(HKEY_CURRENT_USER, key);
  // The program's own list, not a translation override.
  char list[kFileTypeListSize] = "";
  LoadStringA(GetModuleHandleA(nullptr), IDS_WATCHED_FILE_TYPES, list, sizeof list);
  if (!FileTypeWriteList(list)) TraceWrite("ERROR Creating REGCLASSKEY", list);
  const int count = EnumerateFileTypes();
  StoreEnumerated();
  SettingsWriteString(HKEY_CURRENT_USER, kFileTypeExtKey, nullptr, kFileTypeMarker);
  return count;
}

}  // namespace

int EnumerateFileTypes() {
  ItemListClear();
  char progId[kFileTypeTextSize];
  char command[kFileTypeTextSize];
  int count = 0;
  for (const std::string& ext : FileTypeListExtensions(FileTypeReadList())) {
    for (int source = 1; source <= kEnumeratedSources; ++source) {
      if (!LookUpAssociation(ext.c_str(), source, progId, command) || progId[0] == '\0') continue;
      AddItem(ext, source, progId, command);
      ++count;
    }
  }
  return count;
}

int InitFileTypeStore() {
  TraceNote("CreateClassInfo", "filetype");
  char marker[kFileTypeTextSize];
  const int length =
      SettingsReadString(HKEY_CURRENT_USER, kFileTypeExtKey, nullptr, marker, sizeof marker);
  if (length == kOldMarkerLength) {
    const int count = EnumerateFileTypes();
    StoreEnumerated();
    SettingsWriteString(HKEY_CURRENT_USER, kFileTypeExtKey, nullptr, kFileTypeMarker);
    return count;
  }
  if (StoreReady(marker)) return 0;
  return CreateFileTypeStore();
}

int AddWatchedFileType(const char* ext) {
  if (!ext) return kFileTypeAlreadyWatched;
  bool tooLong = false;
  const std::string list = FileTypeReadList(&tooLong);
  const std::string entry(FileTypeEntry(ext));
  if (tooLong) return kFileTypeListFull;
  const int refusal = FileTypeAddCheck(list, entry);
  if (refusal != 0) return refusal;
  for (int source = 1; source <= kEnumeratedSources; ++source)
    StoreAssociation(entry.c_str(), source);
  FileTypeWriteList(FileTypeListAppend(list, entry));
  return 0;
}

void RemoveWatchedFileType(const char* ext) {
  if (!ext) return;
  const std::string entry(FileTypeEntry(ext));
  bool tooLong = false;
  const std::string list = FileTypeReadList(&tooLong);
  if (!tooLong) FileTypeWriteList(FileTypeListRemove(list, entry));
  const std::string dotted = FileTypeDotted(entry);
  char progId[kFileTypeTextSize];
  if (SettingsReadString(HKEY_CURRENT_USER, kFileTypeExtKey, dotted.c_str(), progId,
                         sizeof progId) == 0)
    return;
  SettingsDeleteValue(HKEY_CURRENT_USER, kFileTypeExtKey, dotted.c_str());
  if (!IsClassInUse(progId)) SettingsDeleteValue(HKEY_CURRENT_USER, kFileTypeClassKey, progId);
}

bool IsClassInUse(const char* progId) {
  if (!progId || progId[0] == '\0') return false;
  EnumerateFileTypes();
  char key[kItemKeySize];
  for (int i = 0; i < ItemCount(); ++i) {
    ItemKey(i, key);
    if (EqualsNoCase(key, progId)) return true;
  }
  return false;
}

int FileTypeProgramName(const char* command, char* out, int capacity) {
  if (capacity <= 0) return 0;
  out[0] = '\0';
  const std::string_view text = command ? command : "";
  if (const int number = FileTypeProgramString(text)) return LocalString(number, out, capacity);
  const std::string program = FileTypeProgramText(text);
  char normalised[kPathSize] = "";
  NormaliseCommand(program.c_str(), normalised, sizeof normalised);
  std::string name;
  FileNamePart(normalised, name);
  return static_cast<int>(CopyBounded(out, static_cast<std::size_t>(capacity), name));
}

int FileTypeIconLocation(const char* ext, int source, char* iconFile, int capacity,
                         int* iconIndex) {
  if (iconIndex) *iconIndex = 0;
  if (capacity <= 0) return 0;
  iconFile[0] = '\0';
  char progId[kFileTypeTextSize];
  char command[kFileTypeTextSize];
  LookUpAssociation(ext, source, progId, command);
  char machineClass[kFileTypeTextSize];
  std::string file;
  int index = 0;
  bool split = false;
  const std::string extKey = kMachineClasses + FileTypeDotted(ext ? ext : "");
  if (progId[0] != '\0' && SettingsReadString(HKEY_LOCAL_MACHINE, extKey.c_str(), nullptr,
                                              machineClass, sizeof machineClass) > 0) {
    char icon[kFileTypeTextSize];
    const std::string iconKey = kMachineClasses + std::string(progId) + "\\DefaultIcon";
    SettingsReadString(HKEY_LOCAL_MACHINE, iconKey.c_str(), nullptr, icon, sizeof icon);
    split = FileTypeSplitIcon(icon, file, index);
  }
  if (!split) file = command;
  if (iconIndex) *iconIndex = index;
  return static_cast<int>(CopyBounded(iconFile, static_cast<std::size_t>(capacity), file));
}
