#include "startup/value_place_read.h"

#include "foundation/paths.h"
#include "point_text.h"

namespace {

// Windows keeps values far shorter; anything claiming more is passed over, not read.
constexpr DWORD kPlaceValueLimit = 1u << 20;
constexpr DWORD kPlaceNameLimit = 16384;

}  // namespace

bool PlaceValueRead(HKEY key, const char* name, PlaceValueData& data) {
  DWORD size = 0;
  if (RegQueryValueExA(key, name, nullptr, &data.type, nullptr, &size) != ERROR_SUCCESS ||
      size > kPlaceValueLimit)
    return false;
  data.bytes.assign(size, '\0');
  DWORD read = size;
  if (RegQueryValueExA(key, name, nullptr, &data.type,
                       size ? reinterpret_cast<BYTE*>(data.bytes.data()) : nullptr,
                       &read) != ERROR_SUCCESS)
    return false;
  if (read < size) data.bytes.resize(read);
  return true;
}

bool PlaceValueIsText(DWORD type) {
  return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

std::vector<std::string> PlaceValueNames(HKEY key) {
  std::vector<std::string> names;
  DWORD count = 0;
  if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                       nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
    return names;
  std::vector<char> name(kPlaceNameLimit * 2 + 2);
  for (DWORD index = 0; index < count; ++index) {
    DWORD size = static_cast<DWORD>(name.size() - 1);
    const LONG status =
        RegEnumValueA(key, index, name.data(), &size, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) break;
    if (status == ERROR_SUCCESS) names.emplace_back(name.data(), size);
  }
  return names;
}

bool PlaceValueWrite(HKEY key, const char* name, DWORD type, const std::string& bytes) {
  return RegSetValueExA(key, name, 0, type,
                        reinterpret_cast<const BYTE*>(bytes.empty() ? "" : bytes.data()),
                        static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
}

bool PlaceItemIsListed(const std::string& stored, const char* listed) {
  if (!listed) return false;
  if (PointSameItem(stored, listed)) return true;
  if (stored.find('~') == std::string::npos) return false;
  std::string plain;
  for (char c : stored)
    if (c != '"') plain += c;
  char longForm[kPathSize] = "";
  LongPath(plain.c_str(), longForm, sizeof longForm);
  return PointSameItem(longForm, listed);
}
