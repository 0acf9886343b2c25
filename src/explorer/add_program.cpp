#include "add_program.h"

#include <commdlg.h>

#include <string>

#include "foundation/filefacts.h"
#include "foundation/handles.h"
#include "foundation/settings.h"
#include "foundation/strings.h"
#include "foundation/trace.h"
#include "paths_text.h"
#include "startup/locations.h"
#include "startup/snapshot.h"
#include "text.h"

namespace {

constexpr int kTitleString = 902;
constexpr int kFilterString = 903;
constexpr int kUserRunCode = 11;
constexpr int kNameTries = 1000;
constexpr int kValueSize = 1024;

void AddProgramFilter(char* filter, int capacity) {
  LocalString(kFilterString, filter, capacity);
  for (char* c = filter; *c; ++c)
    if (*c == '%') *c = '\0';
}

// 1: free; 0: taken by another command (or a value that is not text); 2: already starts
// this path.
int AddProgramNameState(const char* name, const char* path) {
  RegKey key;
  if (!key.Open(LocationRoot(kUserRunCode), LocationKeyPath(kUserRunCode), KEY_QUERY_VALUE))
    return 1;
  char held[kValueSize] = "";
  DWORD type = REG_NONE;
  DWORD size = sizeof held - 1;
  const LONG status =
      RegQueryValueExA(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(held), &size);
  if (status == ERROR_FILE_NOT_FOUND) return 1;
  if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return 0;
  held[size < sizeof held ? size : sizeof held - 1] = '\0';
  return EqualsNoCase(held, path) ? 2 : 0;
}

std::string AddProgramFreeName(const std::string& base, const char* path, bool& present) {
  present = false;
  for (int n = 1; n <= kNameTries; ++n) {
    const std::string name = n == 1 ? base : base + " (" + std::to_string(n) + ")";
    const int state = AddProgramNameState(name.c_str(), path);
    if (state == 0) continue;
    present = state == 2;
    return name;
  }
  return {};
}

}  // namespace

bool AddProgramChoose(HWND owner, char* path, int capacity) {
  char title[256] = "", filter[512] = "";
  LocalString(kTitleString, title, sizeof title);
  AddProgramFilter(filter, sizeof filter);
  path[0] = '\0';
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter;
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = path;
  dialog.nMaxFile = static_cast<DWORD>(capacity);
  dialog.lpstrTitle = title;
  dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
  return GetOpenFileNameA(&dialog) != FALSE && path[0] != '\0';
}

int AddProgramValueName(const char* path, char* out, int capacity) {
  const std::size_t size = static_cast<std::size_t>(capacity);
  VersionStrings version;
  if (ReadVersionStrings(path, &version)) {
    if (version.text[kFileDescription][0]) return static_cast<int>(CopyBounded(out, size, version.text[kFileDescription]));
    if (version.text[kProductName][0]) return static_cast<int>(CopyBounded(out, size, version.text[kProductName]));
  }
  std::string name;
  if (!FileNamePart(path, name)) name = path;
  const std::size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) name.resize(dot);
  return static_cast<int>(CopyBounded(out, size, name));
}

int AddProgramWrite(const char* path) {
  char base[kValueSize] = "";
  if (path == nullptr || path[0] == '\0' || AddProgramValueName(path, base, sizeof base) == 0) return 0;
  bool present = false;
  const std::string name = AddProgramFreeName(base, path, present);
  if (name.empty()) return 0;
  if (!present && !SettingsWriteString(LocationRoot(kUserRunCode), LocationKeyPath(kUserRunCode),
                                       name.c_str(), path))
    return 0;
  // Marked as a hand-added entry, as the monitor's snapshot of such entries has always held.
  if (!SnapshotMarkKnown(path, 1)) TraceNote("add program", "not marked known");
  return 1;
}
