#include "categories/service_registry.h"

#include <cstring>
#include <string>
#include <vector>

#include "categories/services.h"
#include "foundation/handles.h"
#include "text.h"

namespace {

// Values are read whole, however long, then cut to the caller's bound.
bool QueryWhole(HKEY key, const char* subkey, const char* value, std::string* text) {
  RegKey sub;
  if (subkey != nullptr && !sub.Open(key, subkey, KEY_READ)) return false;
  HKEY from = subkey != nullptr ? sub.get() : key;
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExA(from, value, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
  std::vector<char> data(static_cast<std::size_t>(size) + 1, '\0');
  if (RegQueryValueExA(from, value, nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                       &size) != ERROR_SUCCESS)
    return false;
  const void* zero = std::memchr(data.data(), '\0', size);
  std::size_t length = zero ? static_cast<const char*>(zero) - data.data() : size;
  text->assign(data.data(), length);
  return true;
}

std::string Expanded(const std::string& text) {
  DWORD needed = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
  if (needed == 0) return text;
  std::vector<char> out(needed + 1, '\0');
  DWORD written = ExpandEnvironmentStringsA(text.c_str(), out.data(), needed + 1);
  if (written == 0 || written > needed + 1) return text;
  return std::string(out.data());
}

}  // namespace

int ServiceReadText(HKEY key, const char* subkey, const char* value, char* out, int capacity,
                    bool expand) {
  if (out == nullptr || capacity <= 0) return 0;
  *out = '\0';
  std::string text;
  if (!QueryWhole(key, subkey, value, &text)) return 0;
  if (expand) text = Expanded(text);
  return static_cast<int>(CopyBounded(out, static_cast<std::size_t>(capacity), text));
}

DWORD ServiceReadNumber(HKEY key, const char* value, DWORD fallback) {
  DWORD type = 0;
  DWORD number = 0;
  DWORD size = sizeof number;
  if (RegQueryValueExA(key, value, nullptr, &type, reinterpret_cast<BYTE*>(&number), &size) !=
          ERROR_SUCCESS ||
      type != REG_DWORD || size != sizeof number)
    return fallback;
  return number;
}

int ServiceProgram(HKEY key, char* out, int capacity) {
  if (ServiceReadText(key, nullptr, "ImagePath", out, capacity, true) == 0) return 0;
  if (!ContainsNoCase(out, "svchost")) return kServiceExeCode;
  char dll[kServiceImagePathSize];
  if (ServiceReadText(key, "Parameters", "ServiceDll", dll, sizeof dll, true) > 0)
    CopyBounded(out, static_cast<std::size_t>(capacity), dll);
  return kServiceSvchostCode;
}

bool ServiceWalk(ServiceVisitor visitor, void* context) {
  RegKey services;
  if (!services.Open(HKEY_LOCAL_MACHINE, kServicesRegistryKey, KEY_READ)) return false;
  DWORD count = 0;
  if (RegQueryInfoKeyA(services.get(), nullptr, nullptr, nullptr, &count, nullptr, nullptr,
                       nullptr, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
    return false;
  for (DWORD index = 0; index <= count; ++index) {
    char name[kServiceNameSize];
    DWORD length = kServiceNameSize;
    LONG result = RegEnumKeyExA(services.get(), index, name, &length, nullptr, nullptr, nullptr,
                                nullptr);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (result != ERROR_SUCCESS || name[0] == '\0') continue;
    RegKey service;
    if (!service.Open(services.get(), name, KEY_READ)) continue;
    if (visitor(name, service.get(), context)) return true;
  }
  return false;
}
