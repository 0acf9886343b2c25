#include "bench_files.h"

#include <windows.h>

#include <algorithm>

#include "foundation/filefacts.h"
#include "text.h"

namespace {

constexpr char kVendorSample[] = "kv_bench_vendor.exe";

std::vector<std::string> BenchSystemDllNames(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA entry = {};
  HANDLE find = FindFirstFileA((folder + "\\*.dll").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(entry.cFileName);
  } while (FindNextFileA(find, &entry));
  FindClose(find);
  std::sort(names.begin(), names.end());
  return names;
}

bool BenchIsMicrosoftFile(const std::string& path) {
  VersionStrings facts{};
  return ReadVersionStrings(path.c_str(), &facts) &&
         ContainsNoCase(facts.text[kCompanyName], "Microsoft");
}

// The system folder's DLLs, read no further than the largest count asked for so far: each
// version read takes a while.
struct SystemScan {
  std::string folder;
  std::vector<std::string> names;
  std::size_t next = 0;
  std::vector<std::string> found;
};

SystemScan& BenchSystemScan() {
  static SystemScan scan = [] {
    SystemScan fresh;
    char folder[MAX_PATH] = "";
    GetSystemDirectoryA(folder, MAX_PATH);
    fresh.folder = folder;
    fresh.names = BenchSystemDllNames(fresh.folder);
    return fresh;
  }();
  return scan;
}

}  // namespace

std::vector<std::string> BenchSystemFiles(int count) {
  SystemScan& scan = BenchSystemScan();
  const std::size_t wanted = static_cast<std::size_t>(std::max(count, 0));
  while (scan.found.size() < wanted && scan.next < scan.names.size()) {
    const std::string path = scan.folder + "\\" + scan.names[scan.next++];
    if (BenchIsMicrosoftFile(path)) scan.found.push_back(path);
  }
  const std::size_t given = std::min(wanted, scan.found.size());
  return std::vector<std::string>(scan.found.begin(), scan.found.begin() + given);
}

bool BenchVendorCopy(const std::string& path) {
  char module[MAX_PATH] = "";
  const DWORD length = GetModuleFileNameA(nullptr, module, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return false;
  std::string source(module);
  source.resize(source.find_last_of('\\') + 1);
  return CopyFileA((source + kVendorSample).c_str(), path.c_str(), FALSE) != 0;
}
