#include "file_types_bench.h"

#include <windows.h>

#include <string>

#include "bench_floor.h"
#include "bench_sandbox.h"
#include "bench_timing.h"
#include "categories/file_types.h"
#include "categories/file_types_store.h"
#include "file_types_machine.h"
#include "startup/item_list.h"

namespace {

// A class's description and the open command below it.
int FloorClass(HKEY root, const std::string& progId, bool describe) {
  RegKey classKey;
  if (!classKey.Open(root, progId.c_str(), KEY_READ)) return 0;
  if (describe) BenchFloorQuery(classKey.get(), nullptr);
  RegKey command;
  return command.Open(classKey.get(), "shell\\open\\command", KEY_READ) &&
         BenchFloorQuery(command.get(), nullptr);
}

int FloorDescription(const std::string& progId) {
  RegKey classKey;
  return classKey.Open(HKEY_LOCAL_MACHINE, (kBenchMachineClasses + progId).c_str(), KEY_READ) &&
         BenchFloorQuery(classKey.get(), nullptr);
}

int FloorMachine(const std::string& dotted) {
  RegKey ext;
  char progId[kBenchFloorTextBytes];
  if (!ext.Open(HKEY_LOCAL_MACHINE, (kBenchMachineClasses + dotted).c_str(), KEY_READ) ||
      !BenchFloorRead(ext.get(), nullptr, progId, sizeof progId))
    return 0;
  return FloorClass(HKEY_LOCAL_MACHINE, kBenchMachineClasses + std::string(progId), true);
}

// The user's chosen application and ProgID live in one key.
int FloorUser(const std::string& dotted) {
  RegKey ext;
  char progId[kBenchFloorTextBytes];
  if (!ext.Open(HKEY_CURRENT_USER, (kBenchFileExtsKey + dotted).c_str(), KEY_READ)) return 0;
  BenchFloorQuery(ext.get(), "Application");
  if (!BenchFloorRead(ext.get(), "ProgID", progId, sizeof progId) ||
      !FloorClass(HKEY_CLASSES_ROOT, progId, false))
    return 0;
  FloorDescription(progId);
  return 1;
}

// The floor: the watched list read and split, and each extension's association read from the
// machine classes and from the user's choice, every key opened once.
int FloorOnce() {
  RegKey store;
  char list[kBenchFloorTextBytes];
  if (!store.Open(HKEY_CURRENT_USER, kFileTypeClassKey, KEY_READ) ||
      !BenchFloorRead(store.get(), nullptr, list, sizeof list))
    return 0;
  int found = 0;
  std::string dotted = ".";
  for (const char* c = list; *c; ++c) {
    if (*c != ';') {
      dotted += *c;
      continue;
    }
    found += FloorMachine(dotted) + FloorUser(dotted);
    dotted.resize(1);
  }
  return found;
}

void Measure(const FileTypesMachine& machine, int repetitions, BenchLine& line) {
  line.sound = FloorOnce() == machine.associations &&
               EnumerateFileTypes() == machine.associations;
  BenchAlternate(repetitions, [] { EnumerateFileTypes(); }, [] { FloorOnce(); }, line.oursMs,
                 line.floorMs);
  line.sound = line.sound && ItemCount() == machine.associations;
}

}  // namespace

BenchLine FileTypesBenchRun(int repetitions) {
  BenchLine line{"file-types", 0};
  BenchSandbox sandbox;
  if (!BenchSandboxOpen(sandbox, true)) return line;
  FileTypesMachine machine;
  if (FileTypesMachineBuild(machine)) {
    line.size = machine.extensions;
    Measure(machine, repetitions, line);
  }
  ItemListClear();
  BenchSandboxClose(sandbox);
  return line;
}
