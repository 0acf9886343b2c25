#include "services_machine.h"

#include <cstdio>
#include <string>
#include <vector>

#include "bench_files.h"
#include "bench_registry.h"
#include "categories/services.h"

namespace {

constexpr char kSvchostLine[] = "%SystemRoot%\\System32\\svchost.exe -k netsvcs";
constexpr char kSystemFolder[] = "%SystemRoot%\\System32\\";
constexpr DWORD kStarts[] = {2, 3, 3, 4};
constexpr int kStartCount = sizeof kStarts / sizeof kStarts[0];
constexpr DWORD kOwnProcess = 0x10;
constexpr DWORD kSharedProcess = 0x20;
// Every so many programs take an argument after the quoted path.
constexpr int kArgumentEvery = 3;

std::string ServiceKey(int index) {
  char name[32];
  std::snprintf(name, sizeof name, "\\KvBenchService%03d", index);
  return kServicesRegistryKey + std::string(name);
}

bool WriteCommon(const std::string& key, int index, DWORD type) {
  char display[64];
  std::snprintf(display, sizeof display, "Bench Service %03d", index);
  char description[160];
  std::snprintf(description, sizeof description,
                "Keeps component %03d of the bench vendor's suite up to date and reports its "
                "state to the tray program.",
                index);
  return BenchWriteText(HKEY_LOCAL_MACHINE, key, "DisplayName", display) &&
         BenchWriteText(HKEY_LOCAL_MACHINE, key, "Description", description) &&
         BenchWriteText(HKEY_LOCAL_MACHINE, key, "ObjectName", "LocalSystem") &&
         BenchWriteNumber(HKEY_LOCAL_MACHINE, key, "Start", kStarts[index % kStartCount]) &&
         BenchWriteNumber(HKEY_LOCAL_MACHINE, key, "ErrorControl", 1) &&
         BenchWriteNumber(HKEY_LOCAL_MACHINE, key, "Type", type);
}

bool WriteHosted(int index, const std::string& dll) {
  const std::string key = ServiceKey(index);
  return WriteCommon(key, index, kSharedProcess) &&
         BenchWriteText(HKEY_LOCAL_MACHINE, key, "ImagePath", kSvchostLine, REG_EXPAND_SZ) &&
         BenchWriteText(HKEY_LOCAL_MACHINE, key + "\\Parameters", "ServiceDll", dll,
                        REG_EXPAND_SZ);
}

bool WriteProgram(int index, const std::string& program) {
  std::string line = "\"" + program + "\"";
  if (index % kArgumentEvery == 0) line += " -service";
  const std::string key = ServiceKey(index);
  return WriteCommon(key, index, kOwnProcess) &&
         BenchWriteText(HKEY_LOCAL_MACHINE, key, "ImagePath", line, REG_EXPAND_SZ);
}

std::string VendorPath(const std::string& folder, int index, const char* extension) {
  char leaf[48];
  std::snprintf(leaf, sizeof leaf, "\\BenchService%03d.%s", index, extension);
  return folder + leaf;
}

// A hosted service runs a system DLL while there are any left, else a vendor DLL.
bool WriteService(const std::string& folder, const std::vector<std::string>& system, int index,
                  ServicesMachine& machine) {
  if (index % 2 != 0) {
    const std::string program = VendorPath(folder, index, "exe");
    return BenchVendorCopy(program) && WriteProgram(index, program);
  }
  const std::size_t systemIndex = static_cast<std::size_t>(index / 2);
  if (systemIndex < system.size()) {
    const std::string& path = system[systemIndex];
    ++machine.microsoft;
    return WriteHosted(index, kSystemFolder + path.substr(path.find_last_of('\\') + 1));
  }
  const std::string dll = VendorPath(folder, index, "dll");
  return BenchVendorCopy(dll) && WriteHosted(index, dll);
}

}  // namespace

bool ServicesMachineBuild(const BenchSandbox& sandbox, int services, ServicesMachine& machine) {
  machine = ServicesMachine{services, 0};
  const std::string folder = sandbox.folder + "\\Services";
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::vector<std::string> system = BenchSystemFiles((services + 1) / 2);
  for (int index = 0; index < services; ++index)
    if (!WriteService(folder, system, index, machine)) return false;
  return true;
}
