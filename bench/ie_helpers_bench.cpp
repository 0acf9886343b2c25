#include "ie_helpers_bench.h"

#include <windows.h>

#include <string>

#include "bench_floor.h"
#include "bench_sandbox.h"
#include "bench_timing.h"
#include "categories/ie_helpers.h"
#include "ie_helpers_machine.h"
#include "startup/item_list.h"

namespace {

int FloorServer(const char* clsid, bool withClassName) {
  RegKey classKey;
  if (!classKey.Open(HKEY_CLASSES_ROOT, (std::string("CLSID\\") + clsid).c_str(), KEY_READ))
    return 0;
  if (withClassName) BenchFloorQuery(classKey.get(), nullptr);
  RegKey server;
  return server.Open(classKey.get(), "InprocServer32", KEY_READ) &&
         BenchFloorQuery(server.get(), nullptr);
}

int FloorExtension(HKEY extensions, const char* name) {
  RegKey extension;
  if (!extension.Open(extensions, name, KEY_READ) ||
      !BenchFloorQuery(extension.get(), "ButtonText"))
    return 0;
  if (!BenchFloorQuery(extension.get(), "Exec")) BenchFloorQuery(extension.get(), "script");
  BenchFloorQuery(extension.get(), "HotIcon");
  return 1;
}

// The floor: the three places enumerated and each add-on's server or button read once,
// with no version resource read.
int FloorOnce() {
  int found = 0;
  BenchFloorSubkeys(HKEY_LOCAL_MACHINE, kBHOKey,
                    [&](HKEY, const char* name) { found += FloorServer(name, false); });
  BenchFloorValueNames(HKEY_LOCAL_MACHINE, kToolbarKey,
                       [&](const char* name) { found += FloorServer(name, true); });
  BenchFloorSubkeys(HKEY_LOCAL_MACHINE, kExtensionsKey,
                    [&](HKEY parent, const char* name) { found += FloorExtension(parent, name); });
  return found;
}

void Measure(int addOns, int repetitions, BenchLine& line) {
  line.sound = EnumerateIEHelpers() == addOns && FloorOnce() == addOns;
  BenchAlternate(repetitions, [] { EnumerateIEHelpers(); }, [] { FloorOnce(); }, line.oursMs,
                 line.floorMs);
  line.sound = line.sound && ItemCount() == addOns;
}

}  // namespace

BenchLine IEHelpersBenchRun(int addOns, int repetitions) {
  BenchLine line{"ie-helpers", addOns};
  BenchSandbox sandbox;
  if (!BenchSandboxOpen(sandbox, true)) return line;
  if (IEHelpersMachineBuild(sandbox, addOns)) Measure(addOns, repetitions, line);
  ItemListClear();
  BenchSandboxClose(sandbox);
  return line;
}
