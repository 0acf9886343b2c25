#include "ie_helpers_machine.h"

#include <cstdio>
#include <string>
#include <vector>

#include "bench_files.h"
#include "bench_registry.h"
#include "categories/ie_helpers.h"

namespace {

constexpr int kKinds = 3;
// Every so many add-ons come with the system, their programs in the system folder.
constexpr int kSystemEvery = 4;
constexpr char kExtensionClass[] = "{1FBA04EE-3024-11D2-8F1F-0000F87ABD16}";

std::string AddOnClsid(int index) {
  char clsid[48];
  std::snprintf(clsid, sizeof clsid, "{6B1E%04X-B3E7-4C2A-9F10-00C04FB1%04X}", index,
                index * 7 + 1);
  return clsid;
}

bool AddOnWriteClass(const std::string& clsid, int index, const std::string& server) {
  char name[64];
  std::snprintf(name, sizeof name, "Bench Add-on %02d Helper", index);
  const std::string key = "CLSID\\" + clsid;
  const std::string inproc = key + "\\InprocServer32";
  return BenchWriteText(HKEY_CLASSES_ROOT, key, nullptr, name) &&
         BenchWriteText(HKEY_CLASSES_ROOT, inproc, nullptr, server) &&
         BenchWriteText(HKEY_CLASSES_ROOT, inproc, "ThreadingModel", "Apartment");
}

bool AddOnWriteHelper(const std::string& clsid) {
  return BenchWriteNumber(HKEY_LOCAL_MACHINE, std::string(kBHOKey) + "\\" + clsid,
                          "NoExplorer", 1);
}

bool AddOnWriteToolbar(const std::string& clsid) {
  const BYTE flags[4] = {};
  return BenchWriteValue(HKEY_LOCAL_MACHINE, kToolbarKey, clsid.c_str(), REG_BINARY, flags,
                         sizeof flags);
}

bool AddOnWriteExtension(const std::string& clsid, int index, const std::string& program) {
  char button[64];
  std::snprintf(button, sizeof button, "Bench Button %02d", index);
  const std::string key = std::string(kExtensionsKey) + "\\" + clsid;
  return BenchWriteText(HKEY_LOCAL_MACHINE, key, "ButtonText", button) &&
         BenchWriteText(HKEY_LOCAL_MACHINE, key, "CLSID", kExtensionClass) &&
         BenchWriteText(HKEY_LOCAL_MACHINE, key, "Exec", program) &&
         BenchWriteText(HKEY_LOCAL_MACHINE, key, "HotIcon", program + ",1") &&
         BenchWriteText(HKEY_LOCAL_MACHINE, key, "Icon", program + ",0") &&
         BenchWriteText(HKEY_LOCAL_MACHINE, key, "Default Visible", "yes");
}

bool AddOnWrite(int index, const std::string& program) {
  const std::string clsid = AddOnClsid(index);
  switch (index % kKinds) {
    case 0:
      return AddOnWriteClass(clsid, index, program) && AddOnWriteHelper(clsid);
    case 1:
      return AddOnWriteClass(clsid, index, program) && AddOnWriteToolbar(clsid);
    default:
      return AddOnWriteExtension(clsid, index, program);
  }
}

// Extensions run programs; helpers and toolbars are DLLs.
bool AddOnProgram(const std::string& folder, const std::vector<std::string>& system, int index,
                  std::string& program) {
  const std::size_t systemIndex = static_cast<std::size_t>(index / kSystemEvery);
  if (index % kSystemEvery == 0 && systemIndex < system.size()) {
    program = system[systemIndex];
    return true;
  }
  char leaf[48];
  std::snprintf(leaf, sizeof leaf, "\\BenchAddOn%02d.%s", index,
                index % kKinds == kKinds - 1 ? "exe" : "dll");
  program = folder + leaf;
  return BenchVendorCopy(program);
}

}  // namespace

bool IEHelpersMachineBuild(const BenchSandbox& sandbox, int addOns) {
  const std::string folder = sandbox.folder + "\\Add-ons";
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::vector<std::string> system = BenchSystemFiles(addOns / kSystemEvery + 1);
  for (int index = 0; index < addOns; ++index) {
    std::string program;
    if (!AddOnProgram(folder, system, index, program) || !AddOnWrite(index, program))
      return false;
  }
  return true;
}
