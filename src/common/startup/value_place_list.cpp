// The enumeration of the value places into the item list.
#include <string>
#include <vector>

#include "foundation/handles.h"
#include "startup/item_list.h"
#include "startup/locations.h"
#include "startup/value_place_read.h"
#include "startup/value_places.h"

namespace {

constexpr DWORD kSubKeyNameSize = 256;
// A key with more sub-keys than this is not one Windows keeps for these places.
constexpr DWORD kSubKeyWalkMax = 16384;

struct ValuePlaceFound {
  const ValuePlace& place;
  std::vector<std::string_view> defaults;
};

// Named by the value (or sub-key) that holds it; a list's items by their own file.
std::string ValuePlaceListTitle(const ValuePlace& place, const std::string& item,
                                std::string_view name) {
  if (place.list != PointListKind::kSingle || name.empty()) {
    const std::string title = PointTitle(item);
    if (!title.empty()) return title;
  }
  return name.empty() ? std::string(place.shortName) : std::string(name);
}

int ValuePlaceListValue(const ValuePlaceFound& found, HKEY key, const std::string& name,
                        std::string_view subKey) {
  PlaceValueData data;
  if (!PlaceValueRead(key, name.c_str(), data) || !PlaceValueIsText(data.type)) return 0;
  const std::string itemKey = ValuePlaceItemKey(found.place, subKey, name);
  const std::string_view owner = found.place.shape == PlaceShape::kSubKeyValue
                                     ? subKey
                                     : std::string_view(name);
  int added = 0;
  for (const std::string& item : PointItems(data.bytes, found.place.list)) {
    if (PointIsDefault(item, found.defaults)) continue;
    const std::string title = ValuePlaceListTitle(found.place, item, owner);
    added += ItemAdd(title.c_str(), item.c_str(), itemKey.c_str(), "", found.place.code, 0) > 0;
  }
  return added;
}

// Every named value: a default value is a description (RunOnceEx) or nothing Windows runs.
int ValuePlaceListKey(const ValuePlaceFound& found, HKEY key, std::string_view subKey) {
  if (found.place.shape == PlaceShape::kValue || found.place.shape == PlaceShape::kSubKeyValue)
    return ValuePlaceListValue(found, key, found.place.value, subKey);
  int added = 0;
  for (const std::string& name : PlaceValueNames(key))
    if (!name.empty()) added += ValuePlaceListValue(found, key, name, subKey);
  return added;
}

int ValuePlaceListSubKeys(const ValuePlaceFound& found, HKEY parent) {
  DWORD count = 0;
  if (RegQueryInfoKeyA(parent, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr,
                       nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
    return 0;
  int added = 0;
  for (DWORD index = 0; index < count && index < kSubKeyWalkMax; ++index) {
    char name[kSubKeyNameSize];
    DWORD size = sizeof name;
    const LONG status =
        RegEnumKeyExA(parent, index, name, &size, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) break;
    RegKey sub;
    if (status == ERROR_SUCCESS && sub.Open(parent, name, KEY_READ))
      added += ValuePlaceListKey(found, sub.get(), name);
  }
  return added;
}

int ValuePlaceListOne(const ValuePlace& place) {
  if (!ValuePlaceOwnView(place)) return 0;
  RegKey key;
  if (!key.Open(ValuePlaceRoot(place), place.path, KEY_READ)) return 0;
  const ValuePlaceFound found{place, ValuePlaceDefaults(place)};
  const bool subKeys =
      place.shape == PlaceShape::kSubKeyValue || place.shape == PlaceShape::kSubKeyAllValues;
  return subKeys ? ValuePlaceListSubKeys(found, key.get()) : ValuePlaceListKey(found, key.get(), "");
}

// A registry link: the key is another key seen under a second name.
bool ValuePlaceKeyIsLink(HKEY root, const std::string& path) {
  HKEY raw = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), REG_OPTION_OPEN_LINK, KEY_QUERY_VALUE, &raw) !=
      ERROR_SUCCESS)
    return false;
  const RegKey key(raw);
  DWORD type = REG_NONE;
  return RegQueryValueExA(key.get(), "SymbolicLinkValue", nullptr, &type, nullptr, nullptr) ==
             ERROR_SUCCESS &&
         type == REG_LINK;
}

}  // namespace

// The 32-bit view's key (or one above it) may be linked to the native key, as Windows and
// Wine share Image File Execution Options: its entries are then the native place's.
bool ValuePlaceOwnView(const ValuePlace& place) {
  if (!place.wow64) return true;
  if (!g_wow64RunKey) return false;
  const std::string path = place.path;
  for (std::size_t end = path.find('\\'); ; end = path.find('\\', end + 1)) {
    if (ValuePlaceKeyIsLink(ValuePlaceRoot(place), path.substr(0, end))) return false;
    if (end == std::string::npos) return true;
  }
}

int ValuePlaceListAll() {
  std::size_t count = 0;
  const ValuePlace* places = ValuePlaceTable(count);
  int added = 0;
  for (std::size_t i = 0; i < count; ++i) added += ValuePlaceListOne(places[i]);
  return added;
}
