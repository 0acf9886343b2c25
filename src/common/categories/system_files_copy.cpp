#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "foundation/datetime.h"
#include "foundation/handles.h"
#include "foundation/settings.h"
#include "categories/machine_job.h"
#include "categories/system_files_undo.h"
#include "system_files.h"
#include "system_files_facts.h"
#include "text.h"

namespace {

constexpr DWORD kLiftedAttributes =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// Characters that would make the saved copy's name leave the data folder or name a stream.
bool SafeCopyName(const char* name) {
  if (name == nullptr || name[0] == '\0') return false;
  bool onlyDots = true;
  for (const char* c = name; *c; ++c) {
    const unsigned char u = static_cast<unsigned char>(*c);
    if (u < 32 || std::strchr("\\/:*?\"<>|", *c)) return false;
    if (*c != '.') onlyDots = false;
  }
  return !onlyDots;
}

void LiftAttributes(const char* path, DWORD attributes) {
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & kLiftedAttributes) == 0) return;
  const DWORD lifted = attributes & ~kLiftedAttributes;
  SetFileAttributesA(path, lifted ? lifted : FILE_ATTRIBUTE_NORMAL);
}

void PutBackAttributes(const char* path, DWORD attributes) {
  if (attributes != INVALID_FILE_ATTRIBUTES) SetFileAttributesA(path, attributes);
}

// The record's facts are written with their status, so that a record the user may not
// change counts as a failure and is not reported as done.
LONG WriteFacts(const char* key, const SystemFileFacts& facts, const std::string& hash) {
  HKEY opened = nullptr;
  LONG status = RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                &opened, nullptr);
  if (status != ERROR_SUCCESS) return status;
  RegKey record(opened);
  const struct { const char* name; const char* text; } values[] = {
      {"Date", facts.date}, {"Size", facts.size}, {"Hash", hash.c_str()}};
  for (const auto& value : values) {
    status = RegSetValueExA(record.get(), value.name, 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(value.text),
                            static_cast<DWORD>(std::strlen(value.text) + 1));
    if (status != ERROR_SUCCESS) return status;
  }
  return ERROR_SUCCESS;
}

void StopWatching(const char* name) {
  char key[kSystemFileKeySize];
  if (SystemFileKey(name, key)) SettingsDeleteKeyTree(HKEY_LOCAL_MACHINE, key);
}

}  // namespace

bool ReadSystemFileFacts(const char* path, SystemFileFacts* out) {
  out->date[0] = out->size[0] = '\0';
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  if (path == nullptr || !GetFileAttributesExA(path, GetFileExInfoStandard, &data)) return false;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return false;
  }
  if (!FileTimeText(data.ftLastWriteTime, out->date)) {
    SetLastError(ERROR_INVALID_DATA);
    return false;
  }
  const unsigned long long bytes =
      (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  std::snprintf(out->size, sizeof out->size, "%llu", bytes);
  return out->date[0] != '\0';
}

bool SystemFileIsThere(const char* path) {
  if (path == nullptr || path[0] == '\0') return false;
  const DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool SystemFileKey(const char* name, char (&key)[kSystemFileKeySize]) {
  if (name == nullptr || name[0] == '\0') return false;
  CopyBounded(key, sizeof key, kSystemFilesKey);
  AppendBounded(key, sizeof key, "\\");
  AppendBounded(key, sizeof key, name);
  return true;
}

int SystemFileSavedCopy(const char* name, char* out, int capacity) {
  if (out == nullptr || capacity <= 0) return 0;
  out[0] = '\0';
  if (!SafeCopyName(name)) return 0;
  char folder[kPathSize] = "";
  if (DataFolder(folder, kPathSize) == 0) return 0;
  const std::size_t size = static_cast<std::size_t>(capacity);
  CopyBounded(out, size, folder);
  AppendBounded(out, size, "\\");
  return static_cast<int>(AppendBounded(out, size, name));
}

bool CopyKeepingAttributes(const char* from, const char* to) {
  const DWORD fromAttributes = GetFileAttributesA(from);
  if (fromAttributes == INVALID_FILE_ATTRIBUTES) return false;
  const DWORD toAttributes = GetFileAttributesA(to);
  LiftAttributes(from, fromAttributes);
  LiftAttributes(to, toAttributes);
  const BOOL copied = CopyFileA(from, to, FALSE);
  const DWORD error = GetLastError();
  PutBackAttributes(from, fromAttributes);
  PutBackAttributes(to, toAttributes);
  SetLastError(copied ? ERROR_SUCCESS : error);
  return copied != FALSE;
}

bool AcceptSystemFileChange(const char* name, const char* path, bool stopWatching) {
  if (stopWatching) StopWatching(name);
  SystemFileFacts facts = {};
  if (!ReadSystemFileFacts(path, &facts)) return false;
  char key[kSystemFileKeySize];
  if (!SystemFileKey(name, key)) {
    SetLastError(ERROR_INVALID_NAME);
    return false;
  }
  std::string hash;
  SystemFileContentHash(path, hash);
  const LONG written = WriteFacts(key, facts, hash);
  if (written != ERROR_SUCCESS) {
    SetLastError(static_cast<DWORD>(written));
    return false;
  }
  char saved[kPathSize];
  if (!SystemFileSavedCopy(name, saved, kPathSize)) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return false;
  }
  return CopyKeepingAttributes(path, saved);
}

// The record stays as it is: the restored file carries the saved copy's date, which matches it.
// The elevated job finds the file by its record, so the record goes only after the restore.
bool RejectSystemFileChange(const char* name, const char* path, bool stopWatching) {
  char saved[kPathSize];
  if (!SystemFileSavedCopy(name, saved, kPathSize)) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return false;
  }
  SystemFileUndoRecord(name, path);
  bool restored = MachineJobDirectAllowed() && CopyKeepingAttributes(saved, path);
  // HOSTS and the boot files are the administrators'; the saved copy is ours to hand over.
  const DWORD error = restored ? 0 : GetLastError();
  if (!restored) restored = MachineJobHandOver(MachineJobSystemFileRestore(name, saved)) != 0;
  if (stopWatching) StopWatching(name);
  if (!restored) SetLastError(error != 0 ? error : ERROR_ACCESS_DENIED);
  else SystemFileRejectedLine(name, path);
  return restored;
}
