#include "reg_raw.h"

#include <cstdlib>

#include "foundation/handles.h"

namespace {

// Registry names are at most 16,383 characters; values may be any size.
constexpr DWORD kNameCapacity = 16384;
constexpr int kGrowAttempts = 4;

// The value at index, grown to its size when it changed since the key was queried.
LONG ReadIndexed(HKEY key, DWORD index, DWORD dataHint, RegRawValue& out) {
  std::vector<char> name(kNameCapacity);
  std::vector<BYTE> data(dataHint > 0 ? dataHint : 1);
  for (int attempt = 0; attempt < kGrowAttempts; ++attempt) {
    DWORD nameLength = kNameCapacity;
    DWORD dataLength = static_cast<DWORD>(data.size());
    DWORD type = REG_NONE;
    const LONG result = RegEnumValueA(key, index, name.data(), &nameLength, nullptr, &type,
                                      data.data(), &dataLength);
    if (result == ERROR_MORE_DATA) {
      data.resize(dataLength > data.size() ? dataLength : data.size() * 2);
      continue;
    }
    if (result != ERROR_SUCCESS) return result;
    out.name.assign(name.data(), nameLength);
    out.type = type;
    out.data.assign(reinterpret_cast<const char*>(data.data()), dataLength);
    return ERROR_SUCCESS;
  }
  return ERROR_MORE_DATA;
}

}  // namespace

bool RegRawValues(HKEY key, std::vector<RegRawValue>& out) {
  out.clear();
  DWORD count = 0, longestData = 0;
  const LONG result = RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                       &count, nullptr, &longestData, nullptr, nullptr);
  if (result != ERROR_SUCCESS) {
    SetLastError(static_cast<DWORD>(result));
    return false;
  }
  for (DWORD index = 0; index < count; ++index) {
    RegRawValue value;
    const LONG read = ReadIndexed(key, index, longestData, value);
    if (read == ERROR_NO_MORE_ITEMS) break;
    if (read == ERROR_SUCCESS) out.push_back(std::move(value));
  }
  return true;
}

bool RegRawSubKeys(HKEY key, std::vector<std::string>& out) {
  out.clear();
  DWORD count = 0;
  const LONG result = RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &count, nullptr, nullptr,
                                       nullptr, nullptr, nullptr, nullptr, nullptr);
  if (result != ERROR_SUCCESS) {
    SetLastError(static_cast<DWORD>(result));
    return false;
  }
  std::vector<char> name(kNameCapacity);
  for (DWORD index = 0; index < count; ++index) {
    DWORD length = kNameCapacity;
    const LONG read =
        RegEnumKeyExA(key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
    if (read == ERROR_NO_MORE_ITEMS) break;
    if (read == ERROR_SUCCESS) out.emplace_back(name.data(), length);
  }
  return true;
}

bool RegRawRead(HKEY root, const char* subkey, const char* value, RegRawValue& out) {
  RegKey key;
  if (!key.Open(root, subkey, KEY_QUERY_VALUE)) return false;
  DWORD size = 0;
  for (int attempt = 0; attempt < kGrowAttempts; ++attempt) {
    std::vector<BYTE> data(size > 0 ? size : 1);
    DWORD length = static_cast<DWORD>(data.size());
    DWORD type = REG_NONE;
    const LONG result = RegQueryValueExA(key.get(), value, nullptr, &type, data.data(), &length);
    if (result == ERROR_MORE_DATA) {
      size = length;
      continue;
    }
    if (result != ERROR_SUCCESS) return false;
    out.name = value ? value : "";
    out.type = type;
    out.data.assign(reinterpret_cast<const char*>(data.data()), length);
    return true;
  }
  return false;
}

std::string RegRawText(const RegRawValue& value) {
  switch (value.type) {
    case REG_SZ:
    case REG_EXPAND_SZ: return value.data.substr(0, value.data.find('\0'));
    case REG_MULTI_SZ: {
      std::string text;
      std::size_t start = 0;
      while (start < value.data.size()) {
        const std::size_t end = value.data.find('\0', start);
        const std::string part = value.data.substr(start, end - start);
        if (part.empty()) break;
        if (!text.empty()) text += ' ';
        text += part;
        if (end == std::string::npos) break;
        start = end + 1;
      }
      return text;
    }
    case REG_DWORD: return std::to_string(RegRawNumber(value));
    default: return {};
  }
}

long RegRawNumber(const RegRawValue& value) {
  if (value.type == REG_DWORD && value.data.size() >= 4) {
    DWORD number = 0;
    for (int i = 3; i >= 0; --i) number = (number << 8) | static_cast<unsigned char>(value.data[i]);
    return static_cast<long>(number);
  }
  if (value.type == REG_SZ || value.type == REG_EXPAND_SZ)
    return std::strtol(RegRawText(value).c_str(), nullptr, 10);
  return 0;
}
