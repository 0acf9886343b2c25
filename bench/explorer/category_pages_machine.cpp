#include "category_pages_machine.h"

#include <windows.h>

#include <cstdio>

#include "bench_files.h"
#include "bench_registry.h"
#include "categories/activex.h"
#include "categories/hidden_files.h"
#include "foundation/settings.h"
#include "startup/delayed_start.h"

namespace {

constexpr char kDelayCode[] = "11";
constexpr DWORD kIdleStartWaitMs = 10000;

// programs distinct program files, the vendor sample copied under the sandbox folder.
bool MachinePrograms(const BenchSandbox& sandbox, const char* stem, int programs,
                     std::vector<std::string>& files) {
  const std::string folder = sandbox.folder + "\\" + stem;
  if (!CreateDirectoryA(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
    return false;
  for (int i = 0; i < programs; ++i) {
    const std::string file = folder + "\\" + stem + std::to_string(i) + ".exe";
    if (!BenchVendorCopy(file)) return false;
    files.push_back(file);
  }
  return true;
}

std::string MachineClassId(int index) {
  char clsid[64];
  std::snprintf(clsid, sizeof clsid, "{6B1D0C11-0000-4000-8000-0000%08X}", index);
  return clsid;
}

}  // namespace

bool DelayedMachineBuild(const BenchSandbox& sandbox, int count, int programs) {
  std::vector<std::string> files;
  if (!MachinePrograms(sandbox, "Delayed", programs, files)) return false;
  for (int i = 0; i < count; ++i) {
    const std::string command =
        files[static_cast<std::size_t>(i) % files.size()] + " /instance " + std::to_string(i);
    if (!BenchWriteText(HKEY_CURRENT_USER, kDelayKey, command.c_str(), kDelayCode) ||
        !BenchWriteText(HKEY_CURRENT_USER, kDelayTimeKey, command.c_str(),
                        std::to_string(10 + i % 120)) ||
        !BenchWriteText(HKEY_CURRENT_USER, kDelayTitleKey, command.c_str(),
                        "BenchDelayed" + std::to_string(i)))
      return false;
  }
  return true;
}

bool ActiveXMachineBuild(const BenchSandbox& sandbox, int count, int programs) {
  std::vector<std::string> files;
  if (!MachinePrograms(sandbox, "Controls", programs, files)) return false;
  for (int i = 0; i < count; ++i) {
    const std::string clsid = MachineClassId(i);
    const std::string classKey = "CLSID\\" + clsid;
    if (!BenchWriteNumber(HKEY_CURRENT_USER,
                          std::string(kActiveXStatsKey) + "\\" + clsid + "\\iexplore", "Type", 1) ||
        !BenchWriteText(HKEY_CLASSES_ROOT, classKey, nullptr, "BenchControl" + std::to_string(i)) ||
        !BenchWriteText(HKEY_CLASSES_ROOT, classKey + "\\InprocServer32", nullptr,
                        files[static_cast<std::size_t>(i) % files.size()]))
      return false;
  }
  return true;
}

bool HiddenMachineBuild(int count, std::vector<std::string>& files) {
  const std::vector<HiddenFolder> folders = HiddenFileFolders();
  if (folders.empty()) return false;
  std::string folder = folders.front().path;
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();
  for (int i = 0; i < count; ++i) {
    files.push_back(folder + "\\kvbench-hidden" + std::to_string(i) + ".txt");
    Handle file(CreateFileA(files.back().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_HIDDEN, nullptr));
    if (!file.valid()) return false;
  }
  return true;
}

void HiddenMachineRemove(std::vector<std::string>& files) {
  for (const std::string& file : files) {
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(file.c_str());
  }
  files.clear();
}

bool IdleProcessesStart(int count, std::vector<Handle>& processes) {
  char self[MAX_PATH] = "";
  if (GetModuleFileNameA(nullptr, self, MAX_PATH) == 0) return false;
  for (int i = 0; i < count; ++i) {
    std::string line = std::string("\"") + self + "\" " + kBenchIdleSwitch;
    STARTUPINFOA startup = {sizeof startup};
    PROCESS_INFORMATION started = {};
    if (!CreateProcessA(self, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started))
      return false;
    CloseHandle(started.hThread);
    processes.emplace_back(started.hProcess);
    if (WaitForInputIdle(started.hProcess, kIdleStartWaitMs) == WAIT_FAILED) Sleep(50);
  }
  return true;
}

void IdleProcessesStop(std::vector<Handle>& processes) {
  for (Handle& process : processes) {
    if (TerminateProcess(process.get(), 0)) WaitForSingleObject(process.get(), kIdleStartWaitMs);
  }
  processes.clear();
}
