#include "records/undo_machine.h"

#include <windows.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <vector>

#include "categories/activex.h"
#include "categories/file_types_store.h"
#include "categories/ie_helpers.h"
#include "categories/system_files.h"
#include "foundation/account.h"
#include "foundation/handles.h"
#include "foundation/paths.h"
#include "foundation/settings.h"
#include "foundation/strings.h"
#include "foundation/user_hooks.h"
#include "records/undo_apply.h"
#include "records/undo_store.h"
#include "resource.h"
#include "text.h"

namespace {

using Fields = std::vector<std::string>;

constexpr char kClassesKey[] = "CLSID\\";
constexpr char kMachineRoot[] = "HKLM";
constexpr char kClassesRoot[] = "HKCR";
// Automatic, manual, disabled: boot and system starts belong to drivers, never to a service
// Korvane stopped.
constexpr int kFirstServiceStart = 2;
constexpr int kLastServiceStart = 4;
constexpr int kQuestionSize = 2048;
constexpr int kTextSize = 260;

Fields FieldsOf(const std::string& part) {
  auto fields = UndoParseFields(part);
  return fields ? std::move(*fields) : Fields();
}

// Add-ons and controls are named by their class: {8-4-4-4-12} in hex.
bool GuidSound(std::string_view text) {
  constexpr std::string_view kShape = "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}";
  if (text.size() != kShape.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool sound = kShape[i] == 'x' ? std::isxdigit(static_cast<unsigned char>(text[i])) != 0
                                        : text[i] == kShape[i];
    if (!sound) return false;
  }
  return true;
}

std::string Below(const char* parent, const std::string& name) {
  return std::string(parent) + "\\" + name;
}

// A key part: root, path, whether the key was there, then its tree.
bool KeyPartAt(const Fields& f, const char* root, const std::string& path) {
  return f.size() >= 3 && f[0] == root && EqualsNoCase(f[1], path);
}

// A value part: root, path, name, whether it was there, type, data.
bool ValuePartAt(const Fields& f, const char* root, const std::string& path,
                 const std::string& name) {
  return f.size() == 6 && f[0] == root && EqualsNoCase(f[1], path) && EqualsNoCase(f[2], name);
}

// The key's own values only, no key below it.
bool KeyPartFlat(const Fields& f) {
  for (std::size_t i = 3; i < f.size();) {
    if (f[i] == "k" && i + 1 < f.size() && f[i + 1].empty()) i += 2;
    else if (f[i] == "v" && i + 3 < f.size()) i += 4;
    else return false;
  }
  return true;
}

std::string ValueText(const Fields& value) {
  if (value.size() != 6 || value[3] != "1") return std::string();
  std::string text = value[5];
  while (!text.empty() && text.back() == '\0') text.pop_back();
  return text;
}

bool ServiceFits(const std::string& title, const UndoParts& parts) {
  for (const auto& [tag, part] : parts) {
    const Fields f = FieldsOf(part);
    if (tag != kUndoPartService || f.size() != 3 || f[0] != title) return false;
    const int start = UndoFieldNumber(f[1]);
    if (start < kFirstServiceStart || start > kLastServiceStart) return false;
  }
  return true;
}

bool KillBitFits(const std::string& title, const UndoParts& parts) {
  if (parts.size() != 1 || parts[0].first != kUndoPartRegistry || !GuidSound(title)) return false;
  const Fields f = FieldsOf(parts[0].second);
  return KeyPartAt(f, kMachineRoot, Below(kActiveXCompatibilityKey, title)) && KeyPartFlat(f);
}

// The add-on's own entry (a helper's or extension's key, a toolbar's value) and its class.
bool IEHelperFits(const UndoParts& parts) {
  if (parts.size() != 2 || parts[1].first != kUndoPartRegistry) return false;
  const Fields entry = FieldsOf(parts[0].second);
  const Fields server = FieldsOf(parts[1].second);
  const std::size_t prefix = std::strlen(kClassesKey);
  if (server.size() < 3 || server[0] != kClassesRoot || server[1].size() <= prefix ||
      !EqualsNoCase(std::string_view(server[1]).substr(0, prefix), kClassesKey))
    return false;
  const std::string clsid = server[1].substr(prefix);
  if (!GuidSound(clsid)) return false;
  if (parts[0].first == kUndoPartRegistryValue)
    return ValuePartAt(entry, kMachineRoot, kToolbarKey, clsid);
  return parts[0].first == kUndoPartRegistry &&
         (KeyPartAt(entry, kMachineRoot, Below(kBHOKey, clsid)) ||
          KeyPartAt(entry, kMachineRoot, Below(kExtensionsKey, clsid)));
}

// The extension's ProgID, and the open command of a ProgID the extension names now or is put
// back to name.
bool FileTypeFits(const std::string& title, const UndoParts& parts) {
  if (parts.empty() || parts.size() > 2 || title.size() < 2 || title[0] != '.' ||
      title.find('\\') != std::string::npos)
    return false;
  for (const auto& part : parts)
    if (part.first != kUndoPartRegistryValue) return false;
  const Fields ext = FieldsOf(parts[0].second);
  if (!ValuePartAt(ext, kMachineRoot, kMachineClasses + title, "")) return false;
  if (parts.size() == 1) return true;
  const Fields command = FieldsOf(parts[1].second);
  char live[kTextSize] = "";
  SettingsReadString(HKEY_LOCAL_MACHINE, (kMachineClasses + title).c_str(), nullptr, live,
                     sizeof live);
  for (const std::string& progId : {ValueText(ext), std::string(live)})
    if (!progId.empty() && progId.find('\\') == std::string::npos &&
        ValuePartAt(command, kMachineRoot, kMachineClasses + progId + kOpenCommand, ""))
      return true;
  return false;
}

// A watched file is only ever written back whole, never taken away.
bool SystemFileFits(const std::string& title, const UndoParts& parts) {
  if (parts.size() != 1 || parts[0].first != kUndoPartFile) return false;
  const Fields f = FieldsOf(parts[0].second);
  if (f.size() != 3 || f[1] != "1") return false;
  for (const SystemFileRecord& record : WatchedSystemFiles())
    if (EqualsNoCase(record.name, title) && EqualsNoCase(record.path, f[0])) return true;
  return false;
}

// A machine-wide class is loaded by elevated programs too, so one that is there is never
// replaced or removed for another account; the add-on it serves comes back all the same.
bool ClassLeftAlone(const std::string& tag, const std::string& part) {
  if (tag != kUndoPartRegistry) return false;
  const Fields f = FieldsOf(part);
  RegKey key;
  return f.size() >= 3 && f[0] == kClassesRoot && key.Open(HKEY_CLASSES_ROOT, f[1].c_str(), KEY_READ);
}

// Whoever consented sees what another account's record will put back before it is written.
bool ConfirmedFor(const AccountHive& hive, const char* account, const UndoEntry& entry) {
  if (hive.own()) return true;
  char format[kQuestionSize] = "";
  char question[kQuestionSize] = "";
  LocalString(IDS_UNDO_FOR_ACCOUNT, format, sizeof format);
  const HistoryRecord row = UndoEntryRow(entry);
  std::snprintf(question, sizeof question, format, AccountName(account).c_str(),
                row.title.c_str(), HistoryActionNameOf(row.actionCode), row.command.c_str());
  return UserConfirmPutBackForAccount(question);
}

}  // namespace

bool UndoMachineFits(const std::string& title, const UndoParts& parts) {
  return !parts.empty() &&
         (ServiceFits(title, parts) || KillBitFits(title, parts) || IEHelperFits(parts) ||
          FileTypeFits(title, parts) || SystemFileFits(title, parts));
}

int UndoMachineRestore(const std::string& seq, const char* account) {
  const int number = UndoFieldNumber(seq);
  const AccountHive hive(account);
  char folder[kPathSize] = "";
  UndoEntry entry;
  std::string data;
  UndoParts parts;
  if (number <= 0 || !hive || UndoStoreFolderOf(hive.get(), folder, sizeof folder) == 0 ||
      !UndoStoreRecordIn(folder, static_cast<unsigned long>(number), entry, data) || !UndoDataParts(data, parts) ||
      !UndoMachineFits(entry.title, parts) || !ConfirmedFor(hive, account, entry))
    return 0;
  bool all = true;
  for (const auto& [tag, part] : parts)
    all = (ClassLeftAlone(tag, part) || UndoApplyPart(tag, part)) && all;
  return all ? 1 : 0;
}
