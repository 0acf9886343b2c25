#include <shlobj.h>
#include <shobjidl.h>
#include <windows.h>

#include <string>

#include "foundation/handles.h"
#include "foundation/paths.h"
#include "foundation/settings.h"
#include "paths_text.h"
#include "startup/startup_action_steps.h"
#include "text.h"

namespace {

constexpr char kShellFoldersKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kDisabledFolder[] = "\\Disabled";

struct FolderSource {
  HKEY root;
  const char* value;
};
// Where an enabled file goes back to, in this order.
const FolderSource kEnableFolders[] = {{HKEY_CURRENT_USER, "Startup"},
                                       {HKEY_LOCAL_MACHINE, "Startup"},
                                       {HKEY_LOCAL_MACHINE, "Common Startup"}};
const FolderSource kStartupFolders[] = {{HKEY_LOCAL_MACHINE, "Startup"},
                                        {HKEY_LOCAL_MACHINE, "Common Startup"},
                                        {HKEY_CURRENT_USER, "Startup"},
                                        {HKEY_CURRENT_USER, "Common Startup"}};

std::string FolderFileStartupFolder(const FolderSource& source) {
  char folder[kPathSize];
  SettingsReadString(source.root, kShellFoldersKey, source.value, folder, sizeof folder);
  return folder;
}

std::string FolderFileDisabledFolder() {
  char folder[kPathSize];
  if (ProgramFolder(folder, sizeof folder) == 0) return {};
  return std::string(folder) + kDisabledFolder;
}

std::string FolderFileParent(const std::string& path) {
  const std::size_t slash = path.rfind('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string FolderFileName(const std::string& path) {
  const std::size_t slash = path.rfind('\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool FolderFileSameFolder(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) return false;
  char longA[kPathSize];
  char longB[kPathSize];
  LongPath(a.c_str(), longA, sizeof longA);
  LongPath(b.c_str(), longB, sizeof longB);
  std::string_view left = longA, right = longB;
  while (!left.empty() && left.back() == '\\') left.remove_suffix(1);
  while (!right.empty() && right.back() == '\\') right.remove_suffix(1);
  return EqualsNoCase(left, right);
}

bool FolderFileInStartupFolder(const std::string& path) {
  const std::string parent = FolderFileParent(path);
  for (const FolderSource& source : kStartupFolders)
    if (FolderFileSameFolder(parent, FolderFileStartupFolder(source))) return true;
  return false;
}

bool FolderFileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool FolderFileIsFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::wstring FolderFileWide(const char* text) {
  const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
  wide.resize(static_cast<std::size_t>(length - 1));
  return wide;
}

// A listed shortcut's command is its target followed by the arguments it hands over: the
// target ends at the first blank where a file is there, else where the command text says.
void FolderFileSplitCommand(const char* command, std::string& program, std::string& arguments) {
  const std::string whole = command;
  std::size_t cut = std::string::npos;
  for (std::size_t blank = whole.find(' '); blank != std::string::npos && cut == std::string::npos;
       blank = whole.find(' ', blank + 1))
    if (FolderFileIsFile(whole.substr(0, blank))) cut = blank;
  if (cut == std::string::npos && !FolderFileIsFile(whole)) {
    std::string upper, rest;
    SplitCommand(whole, upper, rest);
    cut = whole.size() - rest.size();
  }
  program = whole.substr(0, cut);
  arguments = cut < whole.size() ? whole.substr(cut) : std::string();
  while (!program.empty() && program.back() == ' ') program.pop_back();
  while (!arguments.empty() && arguments.front() == ' ') arguments.erase(0, 1);
}

int FolderFileSaveShortcut(const char* title, const char* command, const char* shortcut) {
  ComPtr<IShellLinkA> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              link.PutVoid())))
    return 0;
  std::string program, arguments;
  FolderFileSplitCommand(command, program, arguments);
  link->SetPath(program.c_str());
  link->SetArguments(arguments.c_str());
  link->SetWorkingDirectory(FolderFileParent(program).c_str());
  link->SetDescription(title ? title : "");
  link->SetIconLocation(program.c_str(), 0);
  ComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.PutVoid()))) return 0;
  const std::wstring wide = FolderFileWide(shortcut);
  return !wide.empty() && SUCCEEDED(file->Save(wide.c_str(), TRUE));
}

}  // namespace

std::string FolderFileOfEntry(const char* command, const char* key) {
  // The entry is its shortcut or program; only a file that is neither stands for itself.
  // A target program is never the entry, so a shortcut that is gone names nothing.
  const std::string file = key && key[0] ? key : (command ? command : "");
  if (file.empty()) return {};
  if (FolderFileInStartupFolder(file)) return file;
  return FolderFileSameFolder(FolderFileParent(file), FolderFileDisabledFolder()) ? file
                                                                                  : std::string();
}

int FolderFileDisable(const std::string& file) {
  const std::string folder = FolderFileDisabledFolder();
  if (file.empty() || folder.empty()) return 0;
  // A file left in the disabled folder without its index value is disabled already.
  if (FolderFileSameFolder(FolderFileParent(file), folder)) return FolderFileExists(file);
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string target = folder + "\\" + FolderFileName(file);
  return MoveFileA(file.c_str(), target.c_str()) != 0;
}

std::string FolderFileDisabledCopy(const std::string& file) {
  const std::string name = FolderFileName(file);
  const std::string folder = FolderFileDisabledFolder();
  if (name.empty() || name == "." || name == ".." || folder.empty()) return {};
  const std::string copy = folder + "\\" + name;
  return FolderFileExists(copy) ? copy : std::string();
}

int FolderFileEnable(const std::string& file) {
  const std::string copy = FolderFileDisabledCopy(file);
  if (copy.empty()) return 1;
  const std::string name = FolderFileName(copy);
  for (const FolderSource& source : kEnableFolders) {
    const std::string startup = FolderFileStartupFolder(source);
    if (startup.empty()) continue;
    return MoveFileA(copy.c_str(), (startup + "\\" + name).c_str()) != 0;
  }
  return 0;
}

int FolderFileDelete(const std::string& file) {
  return !file.empty() && DeleteFileA(file.c_str()) != 0;
}

int FolderFileShortcut(const char* title, const char* command, const char* shortcut) {
  if (!command || !command[0] || !shortcut) return 0;
  const std::string path = shortcut;
  // Only a shortcut that is missing is made: nothing that exists is overwritten.
  if (path.size() < 4 || !EqualsNoCase(std::string_view(path).substr(path.size() - 4), ".lnk") ||
      FolderFileExists(path))
    return 0;
  const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const int saved = FolderFileSaveShortcut(title, command, shortcut);
  if (SUCCEEDED(init)) CoUninitialize();
  return saved;
}
