#include "bench_sandbox.h"

#include <shellapi.h>

#include <cstdio>
#include <vector>

namespace {

const HKEY kMappedRoots[3] = {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_CLASSES_ROOT};
const char* const kMappedNames[3] = {"HKCU", "HKLM", "HKCR"};
int g_benchSandboxSerial = 0;
// Where the trust provider and the decoders of signed programs are registered: reading a
// code signature needs them in the mapped machine key as in the real one.
constexpr char kCryptographyKey[] = "SOFTWARE\\Microsoft\\Cryptography";
constexpr int kMachineRoot = 1;

bool BenchSandboxCopyCryptography(HKEY machine) {
  HKEY target = nullptr;
  if (RegCreateKeyExA(machine, kCryptographyKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &target,
                      nullptr) != ERROR_SUCCESS)
    return false;
  const bool copied = RegCopyTreeA(HKEY_LOCAL_MACHINE, kCryptographyKey, target) == ERROR_SUCCESS;
  RegCloseKey(target);
  return copied;
}

void BenchSandboxRemoveFolder(const std::string& folder) {
  std::vector<char> from(folder.begin(), folder.end());
  from.push_back('\0');
  from.push_back('\0');
  SHFILEOPSTRUCTA op = {};
  op.wFunc = FO_DELETE;
  op.pFrom = from.data();
  op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
  SHFileOperationA(&op);
}

void BenchSandboxUnmap(BenchSandbox& sandbox) {
  for (int i = 0; i < 3; ++i) {
    RegOverridePredefKey(kMappedRoots[i], nullptr);
    if (sandbox.mapped[i]) RegCloseKey(sandbox.mapped[i]);
    sandbox.mapped[i] = nullptr;
  }
}

}  // namespace

bool BenchSandboxOpen(BenchSandbox& sandbox, bool mapClasses) {
  const int roots = mapClasses ? 3 : 2;
  char name[96];
  std::snprintf(name, sizeof name, "Software\\KorvaneBenchSandbox\\%lu_%d",
                GetCurrentProcessId(), ++g_benchSandboxSerial);
  sandbox.root = name;
  for (int i = 0; i < roots; ++i) {
    const std::string path = sandbox.root + "\\" + kMappedNames[i];
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &sandbox.mapped[i], nullptr) != ERROR_SUCCESS) {
      BenchSandboxClose(sandbox);
      return false;
    }
  }
  if (!BenchSandboxCopyCryptography(sandbox.mapped[kMachineRoot])) {
    BenchSandboxClose(sandbox);
    return false;
  }
  // HKCU last: the other scratch keys were created through the real HKCU.
  for (int i = roots - 1; i >= 0; --i) {
    if (RegOverridePredefKey(kMappedRoots[i], sandbox.mapped[i]) != ERROR_SUCCESS) {
      BenchSandboxClose(sandbox);
      return false;
    }
  }
  char temp[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, temp);
  char leaf[64];
  std::snprintf(leaf, sizeof leaf, "kvbench_%lu_%d", GetCurrentProcessId(),
                g_benchSandboxSerial);
  sandbox.folder = std::string(temp) + leaf;
  CreateDirectoryA(sandbox.folder.c_str(), nullptr);
  return true;
}

void BenchSandboxClose(BenchSandbox& sandbox) {
  BenchSandboxUnmap(sandbox);
  if (!sandbox.root.empty()) RegDeleteTreeA(HKEY_CURRENT_USER, sandbox.root.c_str());
  RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\KorvaneBenchSandbox");
  if (!sandbox.folder.empty()) BenchSandboxRemoveFolder(sandbox.folder);
  sandbox.root.clear();
  sandbox.folder.clear();
}
