#include "bench_machine.h"

#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdio>
#include <cstring>

#include "foundation/handles.h"
#include "startup/item_list.h"
#include "startup/locations.h"
#include "startup/snapshot.h"
#include "startup/startup_list.h"

namespace {

constexpr char kShellFoldersKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kPrefixesKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\URL\\Prefixes";
constexpr int kVendors = 40;
// Every so many values a command runs through RUNDLL32 or comes quoted, as installers write.
constexpr int kRundllEvery = 16;
constexpr int kQuotedEvery = 5;
constexpr int kRunCodeCount = sizeof kBenchRunCodes / sizeof kBenchRunCodes[0];

bool BenchSetString(HKEY key, const char* name, const char* text) {
  return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                        static_cast<DWORD>(std::strlen(text) + 1)) == ERROR_SUCCESS;
}

void BenchRunCommand(int index, char* out, std::size_t capacity) {
  const int vendor = index % kVendors;
  if (index % kRundllEvery == 0)
    std::snprintf(out, capacity,
                  "rundll32.exe C:\\Program Files\\Bench Vendor %02d\\helper%04d.dll,Start",
                  vendor, index);
  else if (index % kQuotedEvery == 0)
    std::snprintf(out, capacity, "\"C:\\Program Files\\Bench Vendor %02d\\app%04d.exe\" -tray",
                  vendor, index);
  else
    std::snprintf(out, capacity, "C:\\Program Files\\Bench Vendor %02d\\app%04d.exe /background",
                  vendor, index);
}

bool BenchWriteRunValues(int count) {
  RegKey keys[kRunCodeCount];
  for (int i = 0; i < kRunCodeCount; ++i)
    if (!keys[i].Create(LocationRoot(kBenchRunCodes[i]), LocationKeyPath(kBenchRunCodes[i]),
                        KEY_SET_VALUE))
      return false;
  for (int index = 0; index < count; ++index) {
    char name[32];
    char command[260];
    std::snprintf(name, sizeof name, "BenchApp%04d", index);
    BenchRunCommand(index, command, sizeof command);
    if (!BenchSetString(keys[index % kRunCodeCount].get(), name, command)) return false;
  }
  return true;
}

bool BenchWriteFile(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

bool BenchSaveShortcut(const std::string& shortcut, const std::string& target,
                       const char* description) {
  ComPtr<IShellLinkA> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              link.PutVoid())))
    return false;
  link->SetPath(target.c_str());
  link->SetDescription(description);
  ComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.PutVoid()))) return false;
  wchar_t wide[MAX_PATH];
  if (MultiByteToWideChar(CP_ACP, 0, shortcut.c_str(), -1, wide, MAX_PATH) == 0) return false;
  return SUCCEEDED(file->Save(wide, TRUE));
}

bool BenchWriteShortcuts(const BenchSandbox& sandbox, int count, BenchMachine& machine) {
  const std::string targets = sandbox.folder + "\\Bench Programs";
  machine.startupFolder = sandbox.folder + "\\Startup";
  CreateDirectoryA(targets.c_str(), nullptr);
  CreateDirectoryA(machine.startupFolder.c_str(), nullptr);
  for (int index = 0; index < count; ++index) {
    char leaf[64];
    std::snprintf(leaf, sizeof leaf, "\\Bench Tool %02d.exe", index);
    const std::string target = targets + leaf;
    std::snprintf(leaf, sizeof leaf, "\\Bench Tool %02d.lnk", index);
    char description[64];
    std::snprintf(description, sizeof description, "Bench Tool %02d", index);
    if (!BenchWriteFile(target) ||
        !BenchSaveShortcut(machine.startupFolder + leaf, target, description))
      return false;
  }
  RegKey folders;
  return folders.Create(HKEY_CURRENT_USER, kShellFoldersKey, KEY_SET_VALUE) &&
         BenchSetString(folders.get(), "Startup", machine.startupFolder.c_str());
}

// An installed monitor that has disabled something keeps an index; every Run value is then
// looked up in it.
bool BenchWriteDisabledIndex() {
  RegKey index;
  return index.Create(HKEY_LOCAL_MACHINE, kDisabledIndexKey, KEY_SET_VALUE) &&
         BenchSetString(index.get(), "Bench Disabled Tool", "11");
}

// Every Windows machine has the default address prefix; without it the monitor's settings
// guard would ask, in a message box no one answers, about a change that never happened.
bool BenchWriteAddressPrefix() {
  RegKey prefixes;
  return prefixes.Create(HKEY_LOCAL_MACHINE, kPrefixesKey, KEY_SET_VALUE) &&
         BenchSetString(prefixes.get(), "www", "http://");
}

}  // namespace

bool BenchMachineBuild(const BenchSandbox& sandbox, int runValues, int shortcuts,
                       BenchMachine& machine) {
  machine.runValues = runValues;
  machine.shortcuts = shortcuts;
  return BenchWriteRunValues(runValues) && BenchWriteShortcuts(sandbox, shortcuts, machine) &&
         BenchWriteDisabledIndex() && BenchWriteAddressPrefix();
}

int BenchMachineMarkKnown() {
  const int count = BuildStartupList(0);
  for (int i = 0; i < count; ++i) {
    char command[kItemCommandSize];
    ItemCommand(i, command);
    SnapshotMarkKnown(command, ItemCode(i));
  }
  ItemListClear();
  return count;
}

bool BenchWriteRunValue(const char* name, const char* command) {
  RegKey key;
  return key.Create(HKEY_CURRENT_USER, LocationKeyPath(11), KEY_SET_VALUE) &&
         BenchSetString(key.get(), name, command);
}
