#include "services_bench.h"

#include <windows.h>

#include <cstdio>
#include <string>

#include "bench_floor.h"
#include "bench_sandbox.h"
#include "bench_timing.h"
#include "categories/services.h"
#include "categories/services_known.h"
#include "foundation/settings.h"
#include "services_machine.h"
#include "startup/item_list.h"
#include "text.h"

namespace {

constexpr char kHideMicrosoft[] = "HideMicrosoftServices";

int FloorFullService(HKEY services, const char* name) {
  RegKey key;
  char image[kBenchFloorTextBytes];
  if (!key.Open(services, name, KEY_READ) ||
      !BenchFloorRead(key.get(), "ImagePath", image, sizeof image))
    return 0;
  BenchFloorQuery(key.get(), "DisplayName");
  BenchFloorQuery(key.get(), "Description");
  BenchFloorQuery(key.get(), "Start");
  RegKey parameters;
  if (ContainsNoCase(image, "svchost") && parameters.Open(key.get(), "Parameters", KEY_READ))
    BenchFloorQuery(parameters.get(), "ServiceDll");
  return 1;
}

int FloorQuickService(HKEY services, const char* name) {
  RegKey key;
  return key.Open(services, name, KEY_READ) && BenchFloorQuery(key.get(), "ImagePath");
}

// The full floor: every service key opened once for its four values, and an svchost service's
// Parameters key for its DLL; no service manager, no version resource.
int FloorFull() {
  int found = 0;
  BenchFloorSubkeys(HKEY_LOCAL_MACHINE, kServicesRegistryKey,
                    [&](HKEY services, const char* name) {
                      found += FloorFullService(services, name);
                    });
  return found;
}

int FloorQuick() {
  int found = 0;
  BenchFloorSubkeys(HKEY_LOCAL_MACHINE, kServicesRegistryKey,
                    [&](HKEY services, const char* name) {
                      found += FloorQuickService(services, name);
                    });
  return found;
}

struct ServicesMode {
  const char* name;
  int quick;
  int hideMicrosoft;
  int (*floor)();
};

constexpr ServicesMode kModes[] = {{"services", 0, 0, FloorFull},
                                   {"services-quick", 1, 0, FloorQuick},
                                   {"services-msfilter", 0, 1, FloorFull}};

BenchLine MeasureMode(const ServicesMode& mode, const ServicesMachine& machine,
                      int repetitions) {
  BenchLine line{mode.name, machine.services};
  OptionSet(kHideMicrosoft, mode.hideMicrosoft);
  const int expected = machine.services - (mode.hideMicrosoft ? machine.microsoft : 0);
  EnumerateServices(mode.quick);
  line.sound = mode.floor() == machine.services && ItemCount() == expected;
  BenchAlternate(repetitions, [&] { EnumerateServices(mode.quick); }, [&] { mode.floor(); },
                 line.oursMs, line.floorMs);
  line.sound = line.sound && ItemCount() == expected;
  return line;
}

// The check as the monitor runs it on an unchanged machine: the quick pre-test alone, against
// the full pass it saves. Sound when the pre-test passes with every service known and fails
// once one service's program changed.
ServicesPretestLine MeasurePretest(const ServicesMachine& machine, int repetitions) {
  ServicesPretestLine line{machine.services};
  ServicesRememberAll();
  line.sound = ServicesToAsk().empty() && ServicesQuickUnchanged();
  BenchAlternate(repetitions, [] { ServicesQuickUnchanged(); }, [] { ServicesToAsk(); },
                 line.quickMs, line.fullMs);
  line.sound = line.sound && ServicesQuickUnchanged();
  const std::string firstKey = std::string(kServicesRegistryKey) + "\\KvBenchService000";
  RegKey first;
  if (first.Open(HKEY_LOCAL_MACHINE, firstKey.c_str(), KEY_SET_VALUE) &&
      RegSetValueExA(first.get(), "ImagePath", 0, REG_SZ,
                     reinterpret_cast<const BYTE*>("C:\\changed.exe"), 15) == ERROR_SUCCESS)
    line.sound = line.sound && !ServicesQuickUnchanged();
  else
    line.sound = false;
  return line;
}

}  // namespace

void ServicesPretestPrint(const ServicesPretestLine& line) {
  std::printf("services-quick-pretest N=%d ms_full=%.2f ms_quick=%.2f\n", line.size, line.fullMs,
              line.quickMs);
  std::fflush(stdout);
  if (!line.sound) std::fprintf(stderr, "services-quick-pretest N=%d: not sound\n", line.size);
}

ServicesPretestLine ServicesPretestBenchRun(int services, int repetitions) {
  ServicesPretestLine line{services};
  BenchSandbox sandbox;
  if (!BenchSandboxOpen(sandbox)) return line;
  ServicesMachine machine;
  OptionSet(kHideMicrosoft, 0);
  if (ServicesMachineBuild(sandbox, services, machine)) line = MeasurePretest(machine, repetitions);
  ItemListClear();
  BenchSandboxClose(sandbox);
  return line;
}

std::vector<BenchLine> ServicesBenchRun(int services, int repetitions) {
  std::vector<BenchLine> lines;
  BenchSandbox sandbox;
  if (!BenchSandboxOpen(sandbox)) return lines;
  ServicesMachine machine;
  const bool built = ServicesMachineBuild(sandbox, services, machine);
  for (const ServicesMode& mode : kModes) {
    if (built) lines.push_back(MeasureMode(mode, machine, repetitions));
    else lines.push_back(BenchLine{mode.name, services});
  }
  ItemListClear();
  BenchSandboxClose(sandbox);
  return lines;
}
