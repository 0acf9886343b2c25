#include <windows.h>

#include <string>
#include <vector>

#include "foundation/paths.h"
#include "list_edit_text.h"
#include "startup/startup_action_steps.h"
#include "startup/startup_actions.h"
#include "text.h"

namespace {

constexpr char kWinIniSection[] = "windows";
// The profile API's own limit; a line that fills it may have been cut and is not edited.
constexpr DWORD kWinIniLineLimit = 32767;

bool WinIniReadLine(const char* keyName, std::string& line) {
  std::vector<char> buffer(kWinIniLineLimit + 1);
  const DWORD length = GetProfileStringA(kWinIniSection, keyName, "", buffer.data(),
                                         static_cast<DWORD>(buffer.size()));
  if (length + 2 >= buffer.size()) return false;
  line.assign(buffer.data(), length);
  return true;
}

std::string WinIniLongForm(std::string_view item) {
  const std::string text(item);
  char path[kPathSize];
  LongPath(text.c_str(), path, sizeof path);
  return path;
}

int WinIniFilePath(char (&out)[kPathSize]) {
  const UINT length = GetWindowsDirectoryA(out, kPathSize);
  if (length == 0 || length >= kPathSize) return 0;
  AppendBounded(out, kPathSize, "\\win.ini");
  return 1;
}

}  // namespace

int WinIniPlanRemove(const char* keyName, const char* item, std::string& line,
                     std::string& removed) {
  std::string current;
  if (!keyName || !item || !WinIniReadLine(keyName, current)) return 0;
  return ListEditRemove(current, item, kWinIniListRule, WinIniLongForm, line, &removed) > 0;
}

bool WinIniSameItem(const char* a, const char* b) {
  return a && b && ListEditSame(a, b, WinIniLongForm);
}

int WinIniWriteLine(const char* keyName, const std::string& line) {
  // A read-only win.ini is written, and then made read-only again as the user had it.
  char file[kPathSize];
  const DWORD attributes =
      WinIniFilePath(file) ? GetFileAttributesA(file) : INVALID_FILE_ATTRIBUTES;
  const bool readOnly =
      attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
  if (readOnly) SetFileAttributesA(file, attributes & ~FILE_ATTRIBUTE_READONLY);
  const int written = WriteProfileStringA(kWinIniSection, keyName, line.c_str()) != 0;
  if (readOnly) SetFileAttributesA(file, attributes);
  return written;
}

int WinIniRemove(const char* keyName, const char* item) {
  std::string line, removed;
  if (!WinIniPlanRemove(keyName, item, line, removed)) return 0;
  return WinIniWriteLine(keyName, line);
}

int WinIniAppend(const char* keyName, const char* item) {
  std::string current, line;
  if (!keyName || !item || !WinIniReadLine(keyName, current)) return 0;
  if (ListEditAppend(current, item, kWinIniListRule, WinIniLongForm, line))
    return WinIniWriteLine(keyName, line);
  // Already there counts as done; an item that cannot be written is not.
  std::string unchanged;
  return ListEditRemove(current, item, kWinIniListRule, WinIniLongForm, unchanged) > 0;
}
