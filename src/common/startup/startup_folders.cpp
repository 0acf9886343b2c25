#include "startup/startup_folders.h"

#include <shlobj.h>
#include <shobjidl.h>

#include <string>
#include <string_view>

#include "foundation/filefacts.h"
#include "foundation/handles.h"
#include "foundation/paths.h"
#include "foundation/settings.h"
#include "foundation/strings.h"
#include "resource.h"
#include "startup/folder_walk.h"
#include "startup/item_list.h"
#include "startup/locations.h"
#include "startup/startup_list.h"
#include "startup_text.h"
#include "text.h"

namespace {

constexpr int kPathText = 260;
constexpr DWORD kResolveMilliseconds = 500;
constexpr int kArgumentsSize = 1024;
constexpr char kShellFoldersKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kStartupFolderValues[] = {"Startup", "Common Startup"};

// FileDescription, else ProductName.
void DescribeFile(const char* path, char* title, int capacity) {
  VersionStrings version;
  ReadVersionStrings(path, &version);
  const char* text = version.text[kFileDescription][0] ? version.text[kFileDescription]
                                                       : version.text[kProductName];
  CopyBounded(title, static_cast<std::size_t>(capacity), text);
}

// The arguments belong to the entry: cmd.exe or rundll32.exe is approved for one use, not
// for whatever a new shortcut hands it.
void AddShortcut(const char* path) {
  char target[kPathText] = "";
  char title[kPathText] = "";
  std::string arguments;
  if (ShortcutTarget(path, target, title, &arguments) == S_FALSE) return;
  if (title[0] == '\0' && target[0] != '\0') DescribeFile(target, title, sizeof title);
  if (arguments.empty() || target[0] == '\0') {
    ItemAdd(title, target, path, "", kLocationStartupFolder, 0);
    return;
  }
  char program[kPathText] = "";
  LongPath(target, program, sizeof program);
  // Named by its program, as it is without arguments.
  if (title[0] == '\0') CopyBounded(title, sizeof title, TitleFromCommand(program));
  const std::string command = std::string(program) + " " + arguments;
  ItemAdd(title, command.c_str(), path, "", kLocationStartupFolder, 0);
}

void AddProgram(const char* path) {
  char title[kPathText] = "";
  DescribeFile(path, title, sizeof title);
  ItemAdd(title, path, path, "", kLocationStartupFolder, 0);
}

std::string_view NameOf(std::string_view path) {
  const std::size_t slash = path.rfind('\\');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

HRESULT LoadShortcut(IShellLinkA* link, const char* shortcut) {
  ComPtr<IPersistFile> file;
  HRESULT status = link->QueryInterface(IID_IPersistFile, file.PutVoid());
  if (FAILED(status)) return status;
  wchar_t wide[MAX_PATH];
  if (MultiByteToWideChar(CP_ACP, 0, shortcut, -1, wide, MAX_PATH) == 0) return E_INVALIDARG;
  return file->Load(wide, STGM_READ);
}

bool TargetMissing(const char* target) {
  if (target[0] == '\0' || GetFileAttributesA(target) != INVALID_FILE_ATTRIBUTES) return false;
  const DWORD error = GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// Resolves and reads the target. Critical-error boxes (a drive without a disk) must not stop
// the enumeration. Not every shell reports a vanished target, so its absence is checked too.
HRESULT ResolveQuietly(IShellLinkA* link, char* target260) {
  const UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS);
  HRESULT status = link->Resolve(nullptr, SLR_NO_UI | (kResolveMilliseconds << 16));
  if (status == S_OK) {
    WIN32_FIND_DATAA found = {};
    if (FAILED(link->GetPath(target260, kPathText, &found, SLGP_SHORTPATH))) target260[0] = '\0';
    target260[kPathText - 1] = '\0';
    if (TargetMissing(target260)) status = S_FALSE;
  }
  SetErrorMode(previous);
  return status;
}

}  // namespace

long ShortcutTarget(const char* shortcut, char* target260, char* description260,
                    std::string* arguments) {
  if (target260 == nullptr || description260 == nullptr) return E_POINTER;
  target260[0] = '\0';
  description260[0] = '\0';
  if (arguments) arguments->clear();
  if (shortcut == nullptr) return E_INVALIDARG;
  ComPtr<IShellLinkA> link;
  HRESULT status = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                    link.PutVoid());
  if (FAILED(status)) return status;
  status = LoadShortcut(link.get(), shortcut);
  if (FAILED(status)) return status;
  status = ResolveQuietly(link.get(), target260);
  if (status == S_FALSE) {
    target260[0] = '\0';
    LocalString(IDS_FILE_NOT_FOUND, description260, kPathText);
    return status;
  }
  if (FAILED(status)) return status;
  if (FAILED(link->GetDescription(description260, kPathText))) description260[0] = '\0';
  description260[kPathText - 1] = '\0';
  char given[kArgumentsSize] = "";
  if (arguments && SUCCEEDED(link->GetArguments(given, kArgumentsSize))) {
    given[kArgumentsSize - 1] = '\0';
    *arguments = given;
  }
  return S_OK;
}

int StartupFolderEntry(const char* path, DWORD attributes, void*) {
  // Windows starts nothing from a sub-folder, whatever other attributes it has.
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return 0;
  switch (StartupFileKindOf(NameOf(path))) {
    case StartupFileKind::kShortcut: AddShortcut(path); break;
    case StartupFileKind::kProgram: AddProgram(path); break;
    case StartupFileKind::kSettings: break;
    case StartupFileKind::kOther: ItemAdd("", path, "", "", kLocationStartupFolder, 0); break;
  }
  return 0;
}

void WalkStartupFolder(const char* folder) { FolderWalk(folder, 0, StartupFolderEntry, nullptr); }

void EnumStartupFolders() {
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
    for (const char* value : kStartupFolderValues) {
      char folder[kPathText] = "";
      if (SettingsReadString(root, kShellFoldersKey, value, folder, sizeof folder) > 0)
        WalkStartupFolder(folder);
    }
}
