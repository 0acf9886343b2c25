#include "paths.h"

#include <cstring>
#include <string_view>

#include "filefacts.h"
#include "handles.h"
#include "paths_text.h"
#include "platform.h"
#include "resource.h"
#include "settings.h"
#include "strings.h"
#include "text.h"

namespace {

constexpr int kFolderMax = 260;
constexpr int kShortSearchLimit = 32;
constexpr int kBrowserCommandSize = 513;
constexpr char kShellFoldersKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kCurrentVersionKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
constexpr char kHttpOpenKey[] = "SOFTWARE\\Classes\\HTTP\\shell\\open\\command";
constexpr char kIEAppPathKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\IEXPLORE.EXE";

size_t Size(int capacity) { return capacity > 0 ? static_cast<size_t>(capacity) : 0; }

bool MakeFolder(const char* path) {
  return CreateDirectoryA(path, nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool IsWindows95() {
  const WindowsVersion& version = RunningWindowsVersion();
  return version.platformId == 1 && version.minor == 0;
}

// The existence test goes through the short form, as the name may carry blanks or
// long components that older open calls would not take.
bool OpensThroughShortForm(const char* name, char* shortName) {
  DWORD length = GetShortPathNameA(name, shortName, kPathSize);
  if (length == 0 || length >= kPathSize) return false;
  Handle file(CreateFileA(shortName, 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.valid();
}

bool ExistsInFolder(UINT (WINAPI* folderOf)(LPSTR, UINT), const char* name, char* shortName) {
  char path[kPathSize];
  UINT length = folderOf(path, kPathSize);
  if (length == 0 || length >= kPathSize) return false;
  AppendBounded(path, kPathSize, "\\");
  AppendBounded(path, kPathSize, name);
  return OpensThroughShortForm(path, shortName);
}

void WindowsFolder(char* out) {
  UINT length = GetWindowsDirectoryA(out, kPathSize);
  if (length == 0 || length >= kPathSize) out[0] = '\0';
}

void ProgramFilesFolder(char* out) {
  if (SettingsReadString(HKEY_LOCAL_MACHINE, kCurrentVersionKey, "ProgramFilesDir", out,
                         kPathSize) == 0)
    CopyBounded(out, kPathSize, "C:\\Program Files");
}

void AppendProductVersion(const char* path, char* out, int capacity) {
  VersionStrings version;
  ReadVersionStrings(path, &version);
  AppendBounded(out, Size(capacity), version.text[kProductVersion]);
}

}  // namespace

int ProgramFolder(char* out, int capacity) {
  if (out == nullptr || capacity <= 0) return 0;
  out[0] = '\0';
  char module[1024];
  DWORD length = GetModuleFileNameA(nullptr, module, sizeof module);
  if (length == 0 || length >= sizeof module) return 0;
  size_t offset = FileNameOffset(std::string_view(module, length));
  if (offset == 0 || offset - 1 > kFolderMax) return 0;
  return static_cast<int>(CopyBounded(out, Size(capacity), std::string_view(module, offset - 1)));
}

int DataFolderOf(HKEY hive, char* out, int capacity) {
  if (out == nullptr || capacity <= 0) return 0;
  out[0] = '\0';
  char folder[kPathSize];
  if (SettingsReadString(hive, kShellFoldersKey, "AppData", folder, kPathSize) == 0 ||
      AppendBounded(folder, kPathSize, "\\Korvane") >= kPathSize - 1)
    return 0;
  return static_cast<int>(CopyBounded(out, Size(capacity), folder));
}

int DataFolder(char* out, int capacity) {
  if (out == nullptr || capacity <= 0) return 0;
  char folder[kPathSize];
  if (DataFolderOf(HKEY_CURRENT_USER, folder, kPathSize) > 0) {
    char vault[kPathSize];
    CopyBounded(vault, kPathSize, folder);
    AppendBounded(vault, kPathSize, "\\vault");
    MakeFolder(folder);
    if (MakeFolder(vault)) return static_cast<int>(CopyBounded(out, Size(capacity), folder));
  }
  return ProgramFolder(out, capacity);
}

int LongPath(const char* path, char* out, int capacity) {
  if (path == nullptr || out == nullptr || capacity <= 0) return 0;
  if (!IsWindows95()) {
    DWORD length = GetLongPathNameA(path, out, static_cast<DWORD>(capacity));
    if (length > 0 && length < static_cast<DWORD>(capacity)) return static_cast<int>(length);
  }
  if (out != path) CopyBounded(out, Size(capacity), path);
  return 0;
}

bool FileExists(char* name) {
  if (name == nullptr || name[0] == '\0') return false;
  // A file found as named is there: the short form is asked for only when it is not, as that
  // asks the disk once for every folder of the path.
  const DWORD attributes = GetFileAttributesA(name);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
    return true;
  char shortName[kPathSize];
  if (OpensThroughShortForm(name, shortName)) return true;
  if (std::strlen(name) >= static_cast<size_t>(kShortSearchLimit)) return false;
  if (ExistsInFolder(GetWindowsDirectoryA, name, shortName)) return true;
  if (!ExistsInFolder(GetSystemDirectoryA, name, shortName)) return false;
  CopyBounded(name, kPathSize, shortName);
  return true;
}

int NormaliseCommand(const char* command, char* out, int capacity) {
  if (out == nullptr || capacity <= 0) return 0;
  CommandFolders folders;
  CommandFoldersRead(folders);
  return NormaliseCommandIn(folders, command, out, capacity);
}

void CommandFoldersRead(CommandFolders& folders) {
  WindowsFolder(folders.windows);
  ProgramFilesFolder(folders.programFiles);
}

int NormaliseCommandIn(const CommandFolders& folders, const char* command, char* out,
                       int capacity) {
  if (out == nullptr || capacity <= 0) return 0;
  std::string path =
      NormaliseCommandText(command ? command : "", folders.windows, folders.programFiles);
  return static_cast<int>(CopyBounded(out, Size(capacity), path));
}

int DefaultBrowserCommand(char* out, int capacity) {
  if (out == nullptr || capacity <= 0) return 0;
  char key[kPathSize];
  if (LocalString(IDS_HTTP_COMMAND_KEY, key, sizeof key) == 0)
    CopyBounded(key, sizeof key, kHttpOpenKey);
  char command[kBrowserCommandSize];
  SettingsReadString(HKEY_LOCAL_MACHINE, key, "", command, sizeof command);
  ReplaceChar(command, '"', '\0');
  if (char* dash = std::strchr(command, '-')) *dash = '\0';
  if (command[0] == '\0') return IEPath(out, capacity);
  return static_cast<int>(CopyBounded(out, Size(capacity), command));
}

int IEPath(char* out, int capacity) {
  if (out == nullptr || capacity <= 0) return 0;
  char folder[kPathSize];
  int length = SettingsReadString(HKEY_LOCAL_MACHINE, kIEAppPathKey, "Path", folder, kPathSize);
  if (length > 0 && folder[length - 1] == ';') folder[length - 1] = '\0';
  CopyBounded(out, Size(capacity), folder);
  return static_cast<int>(AppendBounded(out, Size(capacity), "\\iexplore.exe"));
}

int BrowserKind() {
  static const struct {
    const char* part;
    int kind;
  } kBrowsers[] = {{"iexplore", kBrowserIE},      {"netscp", kBrowserNetscape},
                   {"maxthon", kBrowserMaxthon},  {"avant", kBrowserAvant},
                   {"mozilla", kBrowserMozilla},  {"firefox", kBrowserFirefox}};
  char command[kBrowserCommandSize];
  DefaultBrowserCommand(command, sizeof command);
  for (const auto& browser : kBrowsers)
    if (ContainsNoCase(command, browser.part)) return browser.kind;
  return kBrowserIE;
}

int ProgramIdentity(char* out, int capacity) {
  char folder[kPathSize];
  ProgramFolder(folder, sizeof folder);
  char running[kPathSize];
  DWORD length = GetModuleFileNameA(nullptr, running, sizeof running);
  if (length == 0 || length >= sizeof running) running[0] = '\0';
  return ProgramIdentityOf(folder, running, out, capacity);
}

int ProgramIdentityOf(const char* folder, const char* runningPath, char* out, int capacity) {
  if (folder == nullptr || runningPath == nullptr || out == nullptr || capacity <= 0) return 0;
  char path[kPathSize];
  CopyBounded(path, kPathSize, folder);
  AppendBounded(path, kPathSize, "\\Korvane.exe");
  out[0] = '\0';
  AppendProductVersion(path, out, capacity);
  if (ContainsNoCase(runningPath + FileNameOffset(runningPath), "hijack")) {
    CopyBounded(path, kPathSize, runningPath);
  } else {
    CopyBounded(path, kPathSize, folder);
    AppendBounded(path, kPathSize, "\\KorvaneEx.exe");
  }
  if (!FileExists(path)) return static_cast<int>(std::strlen(out));
  AppendBounded(out, Size(capacity), ":");
  AppendProductVersion(path, out, capacity);
  return static_cast<int>(std::strlen(out));
}
