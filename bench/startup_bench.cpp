#include "startup_bench.h"

#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench_machine.h"
#include "bench_sandbox.h"
#include "bench_timing.h"
#include "foundation/handles.h"
#include "startup/item_list.h"
#include "startup/locations.h"
#include "startup/snapshot.h"

namespace {

// What a check of the same places cannot do without: one snapshot lookup per entry.
int FloorLookup(HKEY snapshot, const char* name) {
  char number[33];
  DWORD size = 32;
  return RegQueryValueExA(snapshot, name, nullptr, nullptr, reinterpret_cast<BYTE*>(number),
                          &size) == ERROR_SUCCESS;
}

int FloorRunKeys(HKEY snapshot) {
  int found = 0;
  for (int code : kBenchRunCodes) {
    RegKey key;
    if (!key.Open(LocationRoot(code), LocationKeyPath(code), KEY_READ)) continue;
    for (DWORD index = 0;; ++index) {
      char name[513];
      char data[1025];
      DWORD nameSize = sizeof name - 1;
      DWORD dataSize = sizeof data - 1;
      const LONG status = RegEnumValueA(key.get(), index, name, &nameSize, nullptr, nullptr,
                                        reinterpret_cast<BYTE*>(data), &dataSize);
      if (status == ERROR_NO_MORE_ITEMS) break;
      if (status != ERROR_SUCCESS) continue;
      data[std::min<DWORD>(dataSize, sizeof data - 1)] = '\0';
      found += FloorLookup(snapshot, data);
    }
  }
  return found;
}

// A shortcut's target cannot be had for less than loading it through the link object.
bool FloorShortcutTarget(const std::string& shortcut, char* target) {
  ComPtr<IShellLinkA> link;
  ComPtr<IPersistFile> file;
  wchar_t wide[MAX_PATH];
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              link.PutVoid())) ||
      FAILED(link->QueryInterface(IID_IPersistFile, file.PutVoid())) ||
      MultiByteToWideChar(CP_ACP, 0, shortcut.c_str(), -1, wide, MAX_PATH) == 0 ||
      FAILED(file->Load(wide, STGM_READ)))
    return false;
  WIN32_FIND_DATAA found = {};
  return SUCCEEDED(link->GetPath(target, MAX_PATH, &found, SLGP_SHORTPATH));
}

int FloorShortcuts(HKEY snapshot, const std::string& folder) {
  WIN32_FIND_DATAA entry = {};
  HANDLE find = FindFirstFileA((folder + "\\*.*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return 0;
  int found = 0;
  do {
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    char target[MAX_PATH] = "";
    if (FloorShortcutTarget(folder + "\\" + entry.cFileName, target))
      found += FloorLookup(snapshot, target);
  } while (FindNextFileA(find, &entry));
  FindClose(find);
  return found;
}

double FloorOnce(const BenchMachine& machine) {
  const double start = BenchNowMs();
  RegKey snapshot;
  snapshot.Open(HKEY_CURRENT_USER, kKnownStartupKey, KEY_QUERY_VALUE);
  volatile int found = FloorRunKeys(snapshot.get());
  found = found + FloorShortcuts(snapshot.get(), machine.startupFolder);
  return BenchNowMs() - start;
}

// The list is emptied outside the timing: the sweep cycle does that in its own steps.
double OursOnce(int& changed) {
  ItemListClear();
  const double start = BenchNowMs();
  changed = StartupChanged();
  const double took = BenchNowMs() - start;
  return took;
}

bool OursSawEverything(const BenchMachine& machine, int known, int changed) {
  const int expected = std::min(machine.runValues + machine.shortcuts, kItemListMax);
  if (changed == 0 && known == expected && ItemCount() == expected) return true;
  std::fprintf(stderr, "startup-check N=%d: expected %d entries, marked %d, listed %d, changed %d\n",
               machine.runValues, expected, known, ItemCount(), changed);
  return false;
}

}  // namespace

StartupBenchResult StartupBenchRun(int runValues, int shortcuts, int repetitions) {
  StartupBenchResult result;
  result.size = runValues;
  BenchSandbox sandbox;
  if (!BenchSandboxOpen(sandbox)) return result;
  BenchMachine machine;
  if (BenchMachineBuild(sandbox, runValues, shortcuts, machine)) {
    const int known = BenchMachineMarkKnown();
    int changed = 1;
    OursOnce(changed);
    FloorOnce(machine);
    result.sound = OursSawEverything(machine, known, changed);
    std::vector<double> ours, floor;
    for (int i = 0; i < repetitions; ++i) {
      floor.push_back(FloorOnce(machine));
      ours.push_back(OursOnce(changed));
      result.sound = result.sound && changed == 0;
    }
    result.oursMs = BenchMedian(ours);
    result.floorMs = BenchMedian(floor);
  }
  ItemListClear();
  BenchSandboxClose(sandbox);
  return result;
}
