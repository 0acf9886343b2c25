#include <vector>

#include "foundation/handles.h"
#include "startup/startup_action_steps.h"

namespace {

// Registry values are at most about a megabyte; anything claiming more is not copied.
constexpr DWORD kExactValueLimit = 1u << 20;

bool ExactValueRead(HKEY root, const char* subkey, const char* name, DWORD& type,
                    std::vector<BYTE>& bytes) {
  RegKey key;
  if (!key.Open(root, subkey, KEY_QUERY_VALUE)) return false;
  DWORD size = 0;
  if (RegQueryValueExA(key.get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      size > kExactValueLimit)
    return false;
  bytes.resize(size);
  DWORD read = size;
  if (RegQueryValueExA(key.get(), name, nullptr, &type, size ? bytes.data() : nullptr, &read) !=
          ERROR_SUCCESS ||
      read != size)
    return false;
  return true;
}

}  // namespace

bool ExactValueExists(HKEY root, const char* subkey, const char* name) {
  RegKey key;
  return key.Open(root, subkey, KEY_QUERY_VALUE) &&
         RegQueryValueExA(key.get(), name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

int ExactValueCopy(HKEY fromRoot, const char* fromKey, HKEY toRoot, const char* toKey,
                   const char* name) {
  DWORD type = REG_NONE;
  std::vector<BYTE> bytes;
  if (!ExactValueRead(fromRoot, fromKey, name, type, bytes)) return 0;
  RegKey key;
  if (!key.Create(toRoot, toKey, KEY_SET_VALUE)) return 0;
  return RegSetValueExA(key.get(), name, 0, type, bytes.empty() ? nullptr : bytes.data(),
                        static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
}
