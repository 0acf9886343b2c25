#include "sandbox.h"

#include <sddl.h>
#include <shellapi.h>

#include <fstream>
#include <iterator>

#include "records/history.h"
#include "startup/item_list.h"

namespace {

const HKEY kMappedRoots[3] = {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_CLASSES_ROOT};
const char* const kMappedNames[3] = {"HKCU", "HKLM", "HKCR"};
int g_sandboxSerial = 0;
// Where the trust provider and the decoders of signed programs are registered: reading a
// code signature needs them in the mapped machine key as in the real one.
constexpr char kCryptographyKey[] = "SOFTWARE\\Microsoft\\Cryptography";
constexpr int kMachineRoot = 1;

void CopyCryptographySettings(HKEY machine) {
  HKEY target = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(machine, kCryptographyKey, 0, nullptr, 0,
                                           KEY_ALL_ACCESS, nullptr, &target, nullptr));
  EXPECT_EQ(ERROR_SUCCESS, RegCopyTreeA(HKEY_LOCAL_MACHINE, kCryptographyKey, target));
  RegCloseKey(target);
}

}  // namespace

void RegistrySandbox::SetUp() {
  const std::string id =
      std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++g_sandboxSerial);
  root_ = "Software\\KorvaneTestSandbox\\" + id;
  for (int i = 0; i < 3; ++i) {
    std::string path = root_ + "\\" + kMappedNames[i];
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0,
                                             KEY_ALL_ACCESS, nullptr, &mapped_[i], nullptr));
  }
  CopyCryptographySettings(mapped_[kMachineRoot]);
  // Map HKCU last: the other two keys were created through the real HKCU.
  for (int i = 2; i >= 0; --i)
    ASSERT_EQ(ERROR_SUCCESS, RegOverridePredefKey(kMappedRoots[i], mapped_[i]));
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  scratch_ = std::string(temp) + "kvtest_" + id;
  CreateDirectoryA(scratch_.c_str(), nullptr);
  ItemListClear();
  char history[MAX_PATH];
  if (HistoryFilePath(history, MAX_PATH)) DeleteFileA(history);
}

void RegistrySandbox::TearDown() {
  for (int i = 0; i < 3; ++i) {
    RegOverridePredefKey(kMappedRoots[i], nullptr);
    if (mapped_[i]) RegCloseKey(mapped_[i]);
    mapped_[i] = nullptr;
  }
  RegDeleteTreeA(HKEY_CURRENT_USER, root_.c_str());
  const std::string from = scratch_ + '\0';  // the list ends with two NULs
  SHFILEOPSTRUCTA op = {};
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
  SHFileOperationA(&op);
  ItemListClear();
  ItemListSetCookieLimit(kDefaultCookieLimit);
  char history[MAX_PATH];
  if (HistoryFilePath(history, MAX_PATH)) DeleteFileA(history);
}

std::string RegistrySandbox::WriteScratchFile(const char* name, const std::string& bytes) {
  const std::string path = scratch_ + "\\" + name;
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

std::string ReadRegString(HKEY root, const char* subkey, const char* value) {
  char buffer[4096] = {};
  DWORD size = sizeof buffer - 1;
  if (RegGetValueA(root, subkey, value, RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND,
                   nullptr, buffer, &size) != ERROR_SUCCESS)
    return {};
  return buffer;
}

bool RegKeyExists(HKEY root, const char* subkey) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, subkey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

bool RegValueExists(HKEY root, const char* subkey, const char* value) {
  return RegGetValueA(root, subkey, value, RRF_RT_ANY, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

DWORD ReadRegDword(HKEY root, const char* subkey, const char* value) {
  DWORD number = 0, size = sizeof number;
  RegGetValueA(root, subkey, value, RRF_RT_REG_DWORD, nullptr, &number, &size);
  return number;
}

void WriteRegValue(HKEY root, const std::string& subkey, const char* value, DWORD type,
                   const std::string& bytes) {
  ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueA(root, subkey.c_str(), value, type, bytes.data(),
                                           static_cast<DWORD>(bytes.size())))
      << subkey << " " << (value ? value : "");
}

void WriteRegString(HKEY root, const std::string& subkey, const char* value,
                    const std::string& text) {
  WriteRegValue(root, subkey, value, REG_SZ, std::string(text.c_str(), text.size() + 1));
}

bool DenyKeyWrites(HKEY root, const char* subkey, bool deny) {
  const char* sddl = deny ? "D:(D;;0x6;;;WD)(A;;KA;;;WD)" : "D:(A;;KA;;;WD)";
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &descriptor,
                                                            nullptr))
    return false;
  HKEY key = nullptr;
  LONG result = RegOpenKeyExA(root, subkey, 0, WRITE_DAC | READ_CONTROL, &key);
  if (result == ERROR_SUCCESS) {
    result = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor);
    RegCloseKey(key);
  }
  LocalFree(descriptor);
  return result == ERROR_SUCCESS;
}

void SetShellFolder(const char* name, const std::string& path) {
  WriteRegString(HKEY_CURRENT_USER,
                 "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", name,
                 path);
}

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

bool PathExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ProgramFile(const char* name) {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string self(path);
  return self.substr(0, self.rfind('\\') + 1) + name;
}

std::string HistoryText() {
  char path[MAX_PATH] = "";
  HistoryFilePath(path, MAX_PATH);
  return FileText(path);
}

bool operator==(const ItemRow& a, const ItemRow& b) {
  return a.title == b.title && a.command == b.command && a.key == b.key && a.extra == b.extra &&
         a.code == b.code && a.value == b.value;
}

std::ostream& operator<<(std::ostream& out, const ItemRow& r) {
  return out << r.title << " | " << r.command << " | " << r.key << " | " << r.extra << " | "
             << r.code << " | " << r.value;
}

ItemRow ReadItem(int index) { return ItemRowAt(index); }

std::vector<ItemRow> ReadItems() { return ItemRowsCopy(); }
