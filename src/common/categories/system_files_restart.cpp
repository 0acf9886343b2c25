#include "system_files_restart.h"

#include <windows.h>

#include <string>

#include "foundation/handles.h"
#include "foundation/paths.h"
#include "foundation/platform.h"
#include "system_files_facts.h"
#include "system_files_text.h"
#include "text.h"

namespace {

// Enough to find an existing "[rename]" heading in any file the restart program accepts.
constexpr DWORD kHeadingSearchBytes = 65536;

std::string InFolder(const char* folder, const char* name) {
  std::string path = folder ? folder : "";
  path += '\\';
  path += name;
  return path;
}

std::string ReadStart(HANDLE file, DWORD limit) {
  std::string bytes(limit, '\0');
  DWORD read = 0;
  if (!ReadFile(file, bytes.data(), limit, &read, nullptr)) read = 0;
  bytes.resize(read);
  return bytes;
}

bool AppendText(HANDLE file, const std::string& text) {
  if (SetFilePointer(file, 0, nullptr, FILE_END) == INVALID_SET_FILE_POINTER &&
      GetLastError() != NO_ERROR)
    return false;
  DWORD written = 0;
  return WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
         written == text.size();
}

}  // namespace

int RestartCommandsFolder(char* out, int capacity) {
  if (out == nullptr || capacity <= 0) return 0;
  out[0] = '\0';
  char folder[kPathSize] = "";
  const UINT length = GetWindowsDirectoryA(folder, kPathSize);
  if (length == 0 || length >= kPathSize) return 0;
  return static_cast<int>(CopyBounded(out, static_cast<std::size_t>(capacity), folder));
}

bool RestartCommandsWatched(const char* folder) {
  return SystemFileIsThere(InFolder(folder, "wininit.exe").c_str());
}

bool RestartCommandsPresent(const char* folder) {
  SystemFileFacts facts = {};
  return ReadSystemFileFacts(InFolder(folder, "wininit.ini").c_str(), &facts) &&
         std::string(facts.size) != "0";
}

std::string RestartCommandsText(const char* folder) {
  Handle file(CreateFileA(InFolder(folder, "wininit.ini").c_str(), GENERIC_READ,
                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return "";
  return RestartCommandsShown(ReadStart(file.get(), kRestartViewBytes));
}

bool RestartCommandsDelete(const char* folder) {
  const std::string path = InFolder(folder, "wininit.ini");
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  return DeleteFileA(path.c_str()) != FALSE;
}

int AppendRestartDelete(const char* iniPath, const char* path) {
  Handle file(CreateFileA(iniPath, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                          FILE_ATTRIBUTE_ARCHIVE, nullptr));
  if (!file) return 0;
  char shortPath[kPathSize] = "";
  const DWORD length = GetShortPathNameA(path, shortPath, kPathSize);
  if (length == 0 || length >= kPathSize) return 1;
  const std::string existing = ReadStart(file.get(), kHeadingSearchBytes);
  AppendText(file.get(), RestartDeleteAppendix(existing, shortPath));
  return 1;
}

// On the NT family the request is refused without the right to the machine's pending
// operations; that refusal is the answer, not a success.
int ScheduleDeleteOnRestart(const char* path) {
  if (path == nullptr || path[0] == '\0') return 0;
  SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
  if (!IsWin9xFamily()) return MoveFileExA(path, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) ? 1 : 0;
  char folder[kPathSize] = "";
  RestartCommandsFolder(folder, kPathSize);
  return AppendRestartDelete(InFolder(folder, "wininit.ini").c_str(), path);
}
