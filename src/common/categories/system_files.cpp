#include "system_files.h"

#include <windows.h>

#include <cstdio>
#include <string>

#include "foundation/datetime.h"
#include "foundation/handles.h"
#include "foundation/platform.h"
#include "foundation/settings.h"
#include "foundation/trace.h"
#include "system_files_facts.h"
#include "system_files_text.h"
#include "text.h"

namespace {

// A hostile machine key may hold any number of records; a sweep looks at this many.
constexpr DWORD kRecordLimit = 1024;
constexpr int kRecordTextSize = 1024;

struct FirstRunFile {
  const char* name;
  const char* location;  // null: the HOSTS path
  const char* comment;
};
constexpr FirstRunFile kFirstRunFiles[] = {
    {"HOSTS", nullptr, "HOST file can be used to protect or redirect domain access."},
    {"Autoexec.bat", "C:\\autoexec.bat", "Runs at system boot time at command level."},
    {"Config.sys", "C:\\Config.sys", "Used at system boot time at command level."},
};

int FolderOf(UINT(WINAPI* folderOf)(LPSTR, UINT), char* out, int capacity) {
  char folder[kPathSize] = "";
  const UINT length = folderOf(folder, kPathSize);
  if (length == 0 || length >= kPathSize) return 0;
  return static_cast<int>(CopyBounded(out, static_cast<std::size_t>(capacity), folder));
}

void WriteRecordText(const char* key, const char* value, const char* text) {
  SettingsWriteString(HKEY_LOCAL_MACHINE, key, value, text);
}

// A missing size, or one of 0, is filled in; a missing date makes the file known as it is now.
bool CompleteRecord(const char* key, const char* path, const SystemFileFacts& facts) {
  char stored[kRecordTextSize] = "";
  if (SettingsReadString(HKEY_LOCAL_MACHINE, key, "Size", stored, sizeof stored) == 0 ||
      ParseDecimal(stored) == 0)
    WriteRecordText(key, "Size", facts.size);
  if (SettingsReadString(HKEY_LOCAL_MACHINE, key, "Date", stored, sizeof stored) != 0)
    return true;
  WriteRecordText(key, "Date", facts.date);
  std::string hash;
  if (SystemFileContentHash(path, hash)) WriteRecordText(key, "Hash", hash.c_str());
  return false;
}

// The record's fingerprint. A record an older version made has none: the saved copy, which
// holds the content last accepted, gives it.
std::string RecordHash(const char* name, const char* key) {
  char stored[kRecordTextSize] = "";
  if (SettingsReadString(HKEY_LOCAL_MACHINE, key, "Hash", stored, sizeof stored) != 0)
    return stored;
  char saved[kPathSize];
  std::string hash;
  if (!SystemFileSavedCopy(name, saved, kPathSize) || !SystemFileContentHash(saved, hash))
    return {};
  WriteRecordText(key, "Hash", hash.c_str());
  return hash;
}

}  // namespace

int HostsFilePath(char* out, int capacity) {
  if (out == nullptr || capacity <= 0) return 0;
  out[0] = '\0';
  if (IsWin9xFamily()) {
    if (!FolderOf(GetWindowsDirectoryA, out, capacity)) return 0;
  } else {
    if (!FolderOf(GetSystemDirectoryA, out, capacity)) return 0;
    AppendBounded(out, static_cast<std::size_t>(capacity), "\\drivers\\etc");
  }
  return static_cast<int>(AppendBounded(out, static_cast<std::size_t>(capacity), "\\HOSTS"));
}

// A file whose facts cannot be had is still registered, so that the check picks it up.
int RegisterSystemFile(const char* name, const char* path, const char* comment, int type) {
  char key[kSystemFileKeySize];
  if (!SystemFileKey(name, key) || !SettingsCreateKey(HKEY_LOCAL_MACHINE, key)) return 0;
  if (!SystemFileIsThere(path)) return 0;
  SystemFileFacts facts = {};
  if (ReadSystemFileFacts(path, &facts)) {
    WriteRecordText(key, "Date", facts.date);
    WriteRecordText(key, "Size", facts.size);
  }
  char typeText[16];
  std::snprintf(typeText, sizeof typeText, "%d", type);
  WriteRecordText(key, "Type", typeText);
  if (comment && comment[0]) WriteRecordText(key, "Comment", comment);
  WriteRecordText(key, "Location", path);
  std::string hash;
  if (SystemFileContentHash(path, hash)) WriteRecordText(key, "Hash", hash.c_str());
  char saved[kPathSize];
  if (!SystemFileSavedCopy(name, saved, kPathSize)) return 0;
  return CopyKeepingAttributes(path, saved) ? 1 : 0;
}

void InitSystemFiles() {
  TraceNote("Initialize Sysfiles", "");
  char hosts[kPathSize] = "";
  HostsFilePath(hosts, kPathSize);
  TraceNote("GetHOSTSFile", hosts);
  for (const FirstRunFile& file : kFirstRunFiles)
    RegisterSystemFile(file.name, file.location ? file.location : hosts, file.comment, 0);
  char stamp[kDateTimeTextSize];
  NowDateTimeText(stamp);
  SettingsWriteString(HKEY_LOCAL_MACHINE, kSystemFilesKey, "", stamp);
}

std::vector<SystemFileRecord> WatchedSystemFiles() {
  std::vector<SystemFileRecord> records;
  RegKey list;
  if (!list.Open(HKEY_LOCAL_MACHINE, kSystemFilesKey, KEY_READ)) return records;
  for (DWORD index = 0; index < kRecordLimit; ++index) {
    SystemFileRecord record = {};
    DWORD length = kSystemFileNameSize;
    const LONG status =
        RegEnumKeyExA(list.get(), index, record.name, &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) break;
    if (status != ERROR_SUCCESS) continue;
    char key[kSystemFileKeySize];
    if (SystemFileKey(record.name, key) &&
        SettingsReadString(HKEY_LOCAL_MACHINE, key, "Location", record.path, kPathSize) != 0)
      records.push_back(record);
  }
  return records;
}

// Facts that cannot be read (a file locked or closed to us) are no change: the file is
// looked at again in the next check.
SystemFileState CompareSystemFile(const char* name, const char* path) {
  if (!SystemFileIsThere(path)) return SystemFileState::Missing;
  char key[kSystemFileKeySize];
  SystemFileFacts facts = {};
  if (!SystemFileKey(name, key) || !ReadSystemFileFacts(path, &facts)) {
    TraceNote("Verify System Files: no facts", path);
    return SystemFileState::Unchanged;
  }
  char text[kRecordTextSize] = "";
  SettingsReadString(HKEY_LOCAL_MACHINE, key, "Type", text, sizeof text);
  const int type = ParseDecimal(text);
  if (!CompleteRecord(key, path, facts)) return SystemFileState::Unchanged;
  char storedDate[kRecordTextSize] = "", storedSize[kRecordTextSize] = "";
  SettingsReadString(HKEY_LOCAL_MACHINE, key, "Date", storedDate, sizeof storedDate);
  SettingsReadString(HKEY_LOCAL_MACHINE, key, "Size", storedSize, sizeof storedSize);
  const std::string storedHash = RecordHash(name, key);
  std::string liveHash;
  SystemFileContentHash(path, liveHash);
  return SystemFileContentChanged({storedDate, storedSize, storedHash},
                                  {facts.date, facts.size, liveHash}, type)
             ? SystemFileState::Changed
             : SystemFileState::Unchanged;
}

int SystemFileComment(const char* name, char* out, int capacity) {
  if (out == nullptr || capacity <= 0) return 0;
  out[0] = '\0';
  char key[kSystemFileKeySize];
  if (!SystemFileKey(name, key)) return 0;
  return SettingsReadString(HKEY_LOCAL_MACHINE, key, "Comment", out, capacity);
}
