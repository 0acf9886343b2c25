// Windows side of the installer round trip: what a shell script cannot see or do exactly
// under Wine.
//   install_probe window <class> present|gone <timeout ms>   0 once it holds, 1 on timeout
//   install_probe uninstall <folder> <timeout ms>            the uninstaller's exit code
// The uninstaller is started with "_?=<folder>" so that it runs in place and can be waited
// for; its folder may hold blanks, which must reach it unquoted.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "foundation/handles.h"

namespace {

constexpr int kUsage = 2;
constexpr int kFailed = 3;
constexpr DWORD kPollMs = 100;

int ProbeWindow(const char* windowClass, bool wantPresent, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    const bool present = FindWindowA(windowClass, nullptr) != nullptr;
    if (present == wantPresent) return 0;
    if (GetTickCount64() >= end) return 1;
    Sleep(kPollMs);
  }
}

int ProbeUninstall(const std::string& folder, DWORD timeoutMs) {
  std::string command = "\"" + folder + "\\uninstall.exe\" /S _?=" + folder;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    std::fprintf(stderr, "cannot start %s: error %lu\n", command.c_str(), GetLastError());
    return kFailed;
  }
  const Handle thread(process.hThread);
  const Handle child(process.hProcess);
  if (WaitForSingleObject(child.get(), timeoutMs) != WAIT_OBJECT_0) {
    std::fprintf(stderr, "uninstaller still running after %lu ms\n", timeoutMs);
    TerminateProcess(child.get(), kFailed);
    return kFailed;
  }
  DWORD code = kFailed;
  if (!GetExitCodeProcess(child.get(), &code)) return kFailed;
  return static_cast<int>(code);
}

DWORD Milliseconds(const char* text) { return static_cast<DWORD>(std::strtoul(text, nullptr, 10)); }

}  // namespace

int main(int argc, char** argv) {
  if (argc == 5 && std::strcmp(argv[1], "window") == 0)
    return ProbeWindow(argv[2], std::strcmp(argv[3], "present") == 0, Milliseconds(argv[4]));
  if (argc == 4 && std::strcmp(argv[1], "uninstall") == 0)
    return ProbeUninstall(argv[2], Milliseconds(argv[3]));
  std::fprintf(stderr, "usage: install_probe window <class> present|gone <ms> | uninstall <folder> <ms>\n");
  return kUsage;
}
