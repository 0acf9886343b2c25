#include "settings.h"

#include <cstdio>
#include <cstring>

#include "handles.h"
#include "text.h"
#include "trace.h"

namespace {

constexpr DWORD kQueryBytes = 1024;
constexpr DWORD kExpandChars = 1024;  // 1023 characters and the terminator
using QueryBuffer = char[kQueryBytes + 1];
constexpr char kCreateKeyNote[] = "ERROR RegCreateKey";

// The stored bytes may lack a terminator or hold several; the text ends at the first zero
// or at the end of the data, whichever comes first.
std::size_t TextLength(const char* data, DWORD size) {
  const void* zero = std::memchr(data, '\0', size);
  return zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - data) : size;
}

bool IsTextType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

// Reads a string-typed value into text, always terminated.
bool QueryText(HKEY root, const char* subkey, const char* value, QueryBuffer& text, DWORD* type) {
  RegKey key;
  if (!key.Open(root, subkey, KEY_READ)) return false;
  DWORD size = kQueryBytes;
  if (RegQueryValueExA(key.get(), value, nullptr, type, reinterpret_cast<BYTE*>(text), &size) !=
          ERROR_SUCCESS ||
      !IsTextType(*type))
    return false;
  text[TextLength(text, size)] = '\0';
  return true;
}

// An expansion that does not fit leaves the stored text as it was.
void ExpandInPlace(QueryBuffer& text) {
  char expanded[kExpandChars];
  DWORD needed = ExpandEnvironmentStringsA(text, expanded, kExpandChars);
  if (needed == 0 || needed > kExpandChars) {
    TraceNote(text, "Registry Error #1023: String can not be expanded");
    return;
  }
  CopyBounded(text, sizeof text, expanded);
}

// Opens the key with the given access, creating it (and its parents) when missing.
bool OpenForWriting(RegKey& key, HKEY root, const char* subkey, REGSAM access) {
  if (key.Open(root, subkey, access)) return true;
  return SettingsCreateKey(root, subkey) && key.Open(root, subkey, access);
}

}  // namespace

int SettingsCreateKey(HKEY root, const char* subkey) {
  RegKey key;
  if (key.Create(root, subkey, KEY_WRITE)) return 1;
  TraceNote(kCreateKeyNote, subkey);
  return 0;
}

int SettingsReadString(HKEY root, const char* subkey, const char* value, char* out, int capacity) {
  if (capacity <= 0) return 0;
  out[0] = '\0';
  QueryBuffer text;
  DWORD type = REG_NONE;
  if (!QueryText(root, subkey, value, text, &type)) return 0;
  if (type == REG_EXPAND_SZ) ExpandInPlace(text);
  std::size_t length = std::strlen(text);
  if (length + 1 > static_cast<std::size_t>(capacity)) {
    TraceNote(text, "Registry Error #1024: Buffer overflow contained");
    return 0;
  }
  return static_cast<int>(CopyBounded(out, static_cast<std::size_t>(capacity), text));
}

int SettingsWriteString(HKEY root, const char* subkey, const char* value, const char* text) {
  RegKey key;
  if (!OpenForWriting(key, root, subkey, KEY_ALL_ACCESS)) return 0;
  const char* data = text ? text : "";
  DWORD size = static_cast<DWORD>(std::strlen(data) + 1);
  return RegSetValueExA(key.get(), value, 0, REG_SZ, reinterpret_cast<const BYTE*>(data), size) ==
         ERROR_SUCCESS;
}

int SettingsWriteNumber(HKEY root, const char* subkey, const char* value, DWORD number) {
  RegKey key;
  if (!OpenForWriting(key, root, subkey, KEY_WRITE)) return 0;
  return RegSetValueExA(key.get(), value, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                        sizeof number) == ERROR_SUCCESS;
}

int SettingsReadSmallNumber(HKEY root, const char* subkey, const char* value) {
  RegKey key;
  if (!key.Open(root, subkey, KEY_READ)) return 0;
  unsigned char data[16] = {};
  DWORD size = sizeof data;
  if (RegQueryValueExA(key.get(), value, nullptr, nullptr, data, &size) != ERROR_SUCCESS) return 0;
  return static_cast<signed char>(data[0]) + 256 * static_cast<signed char>(data[1]);
}

int SettingsDeleteValue(HKEY root, const char* subkey, const char* value) {
  RegKey key;
  if (!key.Open(root, subkey, KEY_WRITE)) return 0;
  if (RegDeleteValueA(key.get(), value) == ERROR_SUCCESS) return 1;
  TraceNote("ERROR RegDeleteValue", value);
  return 0;
}

int SettingsDeleteKeyTree(HKEY root, const char* subkey) {
  // An empty path would empty the root itself.
  if (!subkey || !subkey[0]) return 0;
  RegDeleteTreeA(root, subkey);
  RegKey key;
  return !key.Open(root, subkey, KEY_READ);
}

int OptionGet(const char* name, int defaultValue) {
  char text[128];
  if (SettingsReadString(HKEY_CURRENT_USER, kOptionsKey, name, text, sizeof text) == 0)
    return defaultValue;
  return ParseDecimal(text);
}

int OptionSet(const char* name, int number) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", number);
  SettingsWriteString(HKEY_CURRENT_USER, kOptionsKey, name, text);
  return SettingsWriteString(HKEY_CURRENT_USER, kOptionsKey, "Update", "1");
}
