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
int StartupBenchFloorLookup(HKEY snapshot, const char* name) {
  char number[33];
  DWORD size = 32;
  return RegQueryValueExA(snapshot, name, nullptr, nullptr, reinterpret_cast<BYTE*>(number),
                          &size) == ERROR_SUCCESS;
}

int StartupBenchFloorRunKeys(HKEY snapshot) {
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
      found += StartupBenchFloorLookup(snapshot, data);
    }
  }
  return found;
}

// A shortcut's target cannot be had for less than loading it through the link object.
bool StartupBenchFloorTarget(const std::string& shortcut, char* target) {
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

int StartupBenchFloorShortcuts(HKEY snapshot, const std::string& folder) {
  WIN32_FIND_DATAA entry = {};
  HANDLE find = FindFirstFileA((folder + "\\*.*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return 0;
  int found = 0;
  do {
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    char target[MAX_PATH] = "";
    if (StartupBenchFloorTarget(folder + "\\" + entry.cFileName, target))
      found += StartupBenchFloorLookup(snapshot, target);
  } while (FindNextFileA(find, &entry));
  FindClose(find);
  return found;
}

// The floor: bare enumeration of the fourteen Run-family keys, the startup folder listed and
// each shortcut's target read, and one lookup in the open snapshot key per entry found.
double StartupBenchFloorOnce(const BenchMachine& machine) {
  const double start = BenchNowMs();
  RegKey snapshot;
  snapshot.Open(HKEY_CURRENT_USER, kKnownStartupKey, KEY_QUERY_VALUE);
  volatile int found = StartupBenchFloorRunKeys(snapshot.get());
  found = found + StartupBenchFloorShortcuts(snapshot.get(), machine.startupFolder);
  return BenchNowMs() - start;
}

// The list is emptied outside the timing: the sweep cycle does that in its own steps.
double StartupBenchOursOnce(int& changed) {
  ItemListClear();
  const double start = BenchNowMs();
  changed = StartupChanged();
  return BenchNowMs() - start;
}

bool StartupBenchSawEverything(const BenchMachine& machine, int known, int changed) {
  const int expected = std::min(machine.runValues + machine.shortcuts, kItemListMax);
  if (changed == 0 && known == expected && ItemCount() == expected) return true;
  std::fprintf(stderr, "startup-check N=%d: expected %d entries, marked %d, listed %d, changed %d\n",
               machine.runValues, expected, known, ItemCount(), changed);
  return false;
}

// Floor and ours take turns, so a passing load weighs on both alike.
void StartupBenchMeasure(const BenchMachine& machine, int repetitions,
                         StartupBenchResult& result) {
  const int known = BenchMachineMarkKnown();
  int changed = 1;
  StartupBenchOursOnce(changed);
  StartupBenchFloorOnce(machine);
  result.sound = StartupBenchSawEverything(machine, known, changed);
  std::vector<double> ours, floor;
  for (int i = 0; i < repetitions; ++i) {
    floor.push_back(StartupBenchFloorOnce(machine));
    ours.push_back(StartupBenchOursOnce(changed));
    result.sound = result.sound && changed == 0;
  }
  result.oursMs = BenchMedian(ours);
  result.floorMs = BenchMedian(floor);
}

}  // namespace

StartupBenchResult StartupBenchRun(int runValues, int shortcuts, int repetitions) {
  StartupBenchResult result;
  result.size = runValues;
  BenchSandbox sandbox;
  if (!BenchSandboxOpen(sandbox)) return result;
  BenchMachine machine;
  if (BenchMachineBuild(sandbox, runValues, shortcuts, machine))
    StartupBenchMeasure(machine, repetitions, result);
  ItemListClear();
  BenchSandboxClose(sandbox);
  return result;
}
