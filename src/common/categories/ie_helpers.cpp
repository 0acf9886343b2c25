#include "categories/ie_helpers.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "categories/class_server.h"
#include "categories/ie_helpers_machine.h"
#include "categories/ie_helpers_undo.h"
#include "foundation/filefacts.h"
#include "foundation/handles.h"
#include "foundation/paths.h"
#include "foundation/settings.h"
#include "paths_text.h"
#include "records/history.h"
#include "startup/item_list.h"
#include "text.h"

namespace {

constexpr int kNameSize = 256;
constexpr int kTextSize = 1025;
constexpr DWORD kValueBytesMax = 1u << 20;
constexpr char kUnregister[] = "regsvr32 /u /s ";
constexpr char kRelatedTitle[] = "Related";
constexpr char kResourceMark[] = "shdoclc.dll";

// A path without a backslash is its own file name, so no add-on gets an empty title.
std::string IEHelperFileName(const std::string& path) {
  return path.substr(FileNameOffset(path));
}

// Product name of the server file, else its file name; extra is the product version.
void IEHelperAddServer(const char* key, const std::string& server, int code) {
  VersionStrings version{};
  ReadVersionStrings(server.c_str(), &version);
  const char* product = version.text[kProductName];
  const std::string title = product[0] ? std::string(product) : IEHelperFileName(server);
  ItemAdd(title.c_str(), server.c_str(), key, version.text[kProductVersion], code, 0);
}

// Calls visit(name) for each subkey (or value) name of HKLM\path, by index, with the
// count taken before the loop as the upper bound.
template <class Visit>
void IEHelperWalk(const char* path, bool values, Visit visit) {
  RegKey key;
  if (!key.Open(HKEY_LOCAL_MACHINE, path, KEY_READ)) return;
  DWORD subkeys = 0;
  DWORD valueCount = 0;
  if (RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr,
                       &valueCount, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
    return;
  const DWORD count = values ? valueCount : subkeys;
  for (DWORD i = 0; i <= count; ++i) {
    char name[kNameSize] = "";
    DWORD length = kNameSize;
    const LONG result =
        values ? RegEnumValueA(key.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr)
               : RegEnumKeyExA(key.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (result == ERROR_SUCCESS) visit(name);
  }
}

// Cut to 1023 characters rather than dropped, so an overlong value cannot hide an add-on.
std::string ReadText(HKEY root, const std::string& subkey, const char* value) {
  RegKey key;
  if (!key.Open(root, subkey.c_str(), KEY_QUERY_VALUE)) return {};
  DWORD type = REG_NONE;
  DWORD size = 0;
  if (RegQueryValueExA(key.get(), value, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ) || size > kValueBytesMax)
    return {};
  std::string data(size, '\0');
  if (RegQueryValueExA(key.get(), value, nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                       &size) != ERROR_SUCCESS)
    return {};
  data.resize(std::min<std::size_t>(size, data.size()));
  data.resize(std::min(data.find('\0'), std::size_t{kTextSize - 1}));
  if (type == REG_EXPAND_SZ) {
    char expanded[kTextSize];
    const DWORD needed = ExpandEnvironmentStringsA(data.c_str(), expanded, kTextSize);
    if (needed > 0 && needed <= kTextSize) data = expanded;
  }
  return data;
}

void IEHelperAddBHO(const char* name) {
  const std::string server =
      ReadText(HKEY_CLASSES_ROOT, std::string("CLSID\\") + name + "\\InprocServer32", "");
  if (!server.empty()) IEHelperAddServer(name, server, kTypeBHO);
}

void IEHelperAddToolbar(const char* name) {
  char className[512] = "";
  char server[kItemCommandSize] = "";
  LookUpClassServer(name, className, server);
  IEHelperAddServer(name, server, kTypeToolbar);
}

void IEHelperAddExtension(const char* name) {
  const std::string subkey = std::string(kExtensionsKey) + "\\" + name;
  const std::string buttonText = ReadText(HKEY_LOCAL_MACHINE, subkey, "ButtonText");
  if (buttonText.empty()) return;
  std::string title = TextContainsNoCase(buttonText, kResourceMark) ? kRelatedTitle : buttonText;
  std::string command = ReadText(HKEY_LOCAL_MACHINE, subkey, "Exec");
  if (command.empty()) command = ReadText(HKEY_LOCAL_MACHINE, subkey, "script");
  std::string extra = ReadText(HKEY_LOCAL_MACHINE, subkey, "HotIcon");
  if (extra.empty()) extra = command;
  char file[kPathSize] = "";
  NormaliseCommand(command.c_str(), file, sizeof file);
  VersionStrings version{};
  if (file[0] && ReadVersionStrings(file, &version)) {
    const char* product = version.text[kProductName];
    title = product[0] ? std::string(product) : IEHelperFileName(command);
  }
  ItemAdd(title.c_str(), command.c_str(), name, extra.c_str(), kTypeExtension, 0);
}

void IEHelperUnregister(const char* server) {
  if (!server[0]) return;
  // Unquoted, a path with blanks would reach regsvr32 as several arguments.
  const bool quote = std::strchr(server, ' ') && server[0] != '"';
  std::string line = kUnregister;
  if (quote) line += '"';
  line += server;
  if (quote) line += '"';
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process))
    return;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

}  // namespace

int EnumerateIEHelpers() {
  ItemListClear();
  IEHelperWalk(kBHOKey, false, IEHelperAddBHO);
  IEHelperWalk(kToolbarKey, true, IEHelperAddToolbar);
  IEHelperWalk(kExtensionsKey, false, IEHelperAddExtension);
  return ItemCount();
}

int RemoveIEHelper(const char* command, int index) {
  if (!command || index < 0 || index >= ItemCount()) return 0;
  char key[kItemKeySize] = "";
  ItemKey(index, key);
  const int code = ItemCode(index);
  const std::string title = IEHelperFileName(command);
  for (int i = 0; i < ItemCount(); ++i) {
    char itemCommand[kItemCommandSize] = "";
    ItemCommand(i, itemCommand);
    if (!EqualsNoCase(itemCommand, command)) continue;
    // The keys are kept in this process, before any hand-over to the elevated job. One entry
    // is chosen; later matches would only find it gone.
    IEHelperUndoRecord(code, key, title.c_str(), command);
    const std::string removedFrom = IEHelperDeleteMachineEntry(code, key);
    if (removedFrom.empty()) return 0;
    IEHelperUnregister(itemCommand);
    HistoryWrite(title.c_str(), command, removedFrom.c_str(), kTypeBHO, kActIEHelperRemove);
    return 1;
  }
  return 0;
}
