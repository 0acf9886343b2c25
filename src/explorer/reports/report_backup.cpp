#include "report_backup.h"

#include <lmcons.h>

#include <initializer_list>
#include <vector>

#include "foundation/handles.h"
#include "foundation/msgbox.h"
#include "foundation/reg_raw.h"
#include "foundation/settings.h"
#include "foundation/trace.h"
#include "reg_text.h"
#include "report_file.h"
#include "report_show.h"

namespace {

constexpr int kSavedAsString = 854;
constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kMachineMakerKey[] = "SOFTWARE\\Tamsel";

const char* BackupRootName(HKEY root) {
  if (root == HKEY_CLASSES_ROOT) return "HKEY_CLASSES_ROOT";
  if (root == HKEY_CURRENT_USER) return "HKEY_CURRENT_USER";
  if (root == HKEY_USERS) return "HKEY_USERS";
  if (root == HKEY_CURRENT_CONFIG) return "HKEY_CURRENT_CONFIG";
  return "HKEY_LOCAL_MACHINE";
}

// A script has no way to write a line break inside a name.
bool BackupNameWritable(const std::string& name) {
  return name.find_first_of("\r\n") == std::string::npos;
}

int BackupWriteValues(ReportFile& file, HKEY key) {
  std::vector<RegRawValue> values;
  if (!RegRawValues(key, values)) return -1;
  int written = 0;
  for (const RegRawValue& raw : values) {
    if (!BackupNameWritable(raw.name)) {
      TraceNote("backup", "a value name with a line break cannot be written");
      continue;
    }
    file.Write(RegValueLine(RegValue{raw.name, raw.type, raw.data}));
    ++written;
  }
  return written;
}

bool BackupWriteTree(ReportFile& file, HKEY root, const std::string& path, bool first,
                     int& keys) {
  HKEY opened = nullptr;
  const LONG result = RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &opened);
  if (result != ERROR_SUCCESS) {
    SetLastError(static_cast<DWORD>(result));
    return false;
  }
  RegKey key(opened);
  if (!first) file.Write("\r\n");
  file.Write(RegKeyLine(BackupRootName(root), path));
  ++keys;
  if (BackupWriteValues(file, key.get()) < 0) return false;
  std::vector<std::string> subKeys;
  if (!RegRawSubKeys(key.get(), subKeys)) return false;
  for (const std::string& name : subKeys)
    if (!BackupWriteTree(file, root, path + "\\" + name, false, keys)) return false;
  return true;
}

bool KeyMissing(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  const LONG result = RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key);
  if (result == ERROR_SUCCESS) RegCloseKey(key);
  return result == ERROR_FILE_NOT_FOUND;
}

struct BackupPart {
  HKEY root;
  const char* path;
};

bool BackupWrite(const std::string& path, std::initializer_list<BackupPart> parts) {
  ReportFile file(path);
  if (!file.ok()) return file.Commit();
  file.Write(kRegScriptHeader);
  bool first = true;
  for (const BackupPart& part : parts) {
    if (!first) file.Write("\r\n");
    const int keys = ExportKey(file, part.root, part.path);
    if (keys < 0) {
      const DWORD error = GetLastError();
      file.Commit();  // drops the temporary; the old backup stays
      SetLastError(error);
      return false;
    }
    first = first && keys == 0;
  }
  return file.Commit();
}

std::string BackupUserName() {
  char name[UNLEN + 1] = "";
  DWORD length = sizeof name;
  if (!GetUserNameA(name, &length)) return "Korvane";
  return name;
}

}  // namespace

int ExportValues(ReportFile& file, HKEY root, const std::string& keyPath) {
  RegKey key;
  if (!key.Open(root, keyPath.c_str(), KEY_QUERY_VALUE)) return -1;
  return BackupWriteValues(file, key.get());
}

int ExportKey(ReportFile& file, HKEY root, const std::string& keyPath) {
  if (KeyMissing(root, keyPath)) return 0;
  int keys = 0;
  return BackupWriteTree(file, root, keyPath, true, keys) ? keys : -1;
}

std::string BackupSettingsPath() {
  const std::string name = BackupUserName() + "-Korvane.reg";
  return ReportDataPath(name.c_str());
}

std::string BackupRunKeysPath() { return ReportDataPath("RegRunBackup.reg"); }

bool BackupSettingsFile(const std::string& path) {
  return BackupWrite(path, {{HKEY_CURRENT_USER, kBaseKey}, {HKEY_LOCAL_MACHINE, kMachineMakerKey}});
}

bool BackupRunKeysFile(const std::string& path) {
  return BackupWrite(path, {{HKEY_CURRENT_USER, kRunKey}, {HKEY_LOCAL_MACHINE, kRunKey}});
}

int BackupSettings(HWND owner) {
  const std::string path = BackupSettingsPath();
  if (!BackupSettingsFile(path)) {
    ReportTellNotWritten(owner, path, GetLastError());
    return 0;
  }
  ShowMessage(owner, ReportFillText(kSavedAsString, {path}).c_str(), MB_OK | MB_ICONINFORMATION);
  return 1;
}

int BackupRunKeys(HWND owner) {
  const std::string path = BackupRunKeysPath();
  if (!BackupRunKeysFile(path)) {
    ReportTellNotWritten(owner, path, GetLastError());
    return 0;
  }
  return 1;
}
