// Removing an entry from its value place and writing it back.
#include <string>

#include "foundation/handles.h"
#include "startup/item_list.h"
#include "startup/value_place_read.h"
#include "startup/value_places.h"
#include "text.h"

namespace {

struct PlaceEntry {
  const ValuePlace* place = nullptr;
  std::string path;
  std::string value;
};

bool PlaceEntryOf(const char* key, int code, PlaceEntry& entry) {
  entry.place = ValuePlaceOf(code);
  return entry.place != nullptr &&
         ValuePlaceLocate(*entry.place, key ? key : "", entry.path, entry.value);
}

// The data without the stored item the list shows as command.
std::string PlaceEntryWithout(const PlaceValueData& data, PointListKind list, const char* command,
                              bool& removed) {
  removed = false;
  for (const std::string& item : PointItems(data.bytes, list))
    if (PlaceItemIsListed(item, command)) return PointListWithout(data.bytes, list, item, removed);
  return data.bytes;
}

// The item list keeps a key of at most 259 characters: a value named longer is found again by
// the start of its name, and only when it still holds the command.
bool PlaceEntryFindCut(HKEY key, PlaceEntry& entry, const char* itemKey, const char* command,
                       PlaceValueData& data) {
  if (!itemKey || std::string(itemKey).size() + 1 < static_cast<std::size_t>(kItemKeySize))
    return false;
  for (const std::string& name : PlaceValueNames(key)) {
    bool held = false;
    if (name.size() <= entry.value.size() ||
        !EqualsNoCase(std::string_view(name).substr(0, entry.value.size()), entry.value) ||
        !PlaceValueRead(key, name.c_str(), data) || !PlaceValueIsText(data.type))
      continue;
    PlaceEntryWithout(data, entry.place->list, command, held);
    if (held) {
      entry.value = name;
      return true;
    }
  }
  return false;
}

// A text or comma list left empty goes as a whole; a multi-string (BootExecute, the LSA
// packages) stays as the system expects to find it, however short.
bool PlaceEntryRewrite(HKEY key, const PlaceEntry& entry, const PlaceValueData& data,
                       const std::string& rest) {
  const PointListKind list = entry.place->list;
  if (list != PointListKind::kMultiString && PointItems(rest, list).empty())
    return RegDeleteValueA(key, entry.value.c_str()) == ERROR_SUCCESS;
  return PlaceValueWrite(key, entry.value.c_str(), data.type, rest);
}

// Text written anew is expandable when it refers to the environment, as Windows writes it.
DWORD PlaceEntryNewType(const ValuePlace& place, const char* command) {
  if (place.list == PointListKind::kMultiString) return REG_MULTI_SZ;
  return std::string(command).find('%') != std::string::npos ? REG_EXPAND_SZ : REG_SZ;
}

}  // namespace

int ValuePlaceRemove(const char* command, const char* key, int code) {
  PlaceEntry entry;
  if (!command || !command[0] || !PlaceEntryOf(key, code, entry) || !entry.place->removable)
    return 0;
  // The system's own items are never listed, so a request naming one was not the user's.
  if (PointIsDefault(command, ValuePlaceDefaults(*entry.place))) return 0;
  RegKey place;
  if (!place.Open(ValuePlaceRoot(*entry.place), entry.path.c_str(),
                  KEY_QUERY_VALUE | KEY_SET_VALUE))
    return 0;
  PlaceValueData data;
  bool removed = false;
  std::string rest;
  if (PlaceValueRead(place.get(), entry.value.c_str(), data) && PlaceValueIsText(data.type))
    rest = PlaceEntryWithout(data, entry.place->list, command, removed);
  if (!removed && PlaceEntryFindCut(place.get(), entry, key, command, data))
    rest = PlaceEntryWithout(data, entry.place->list, command, removed);
  return removed && PlaceEntryRewrite(place.get(), entry, data, rest) ? 1 : 0;
}

int ValuePlaceRestore(const char* command, const char* key, int code) {
  PlaceEntry entry;
  if (!command || !command[0] || !PlaceEntryOf(key, code, entry)) return 0;
  RegKey place;
  if (!place.Create(ValuePlaceRoot(*entry.place), entry.path.c_str(),
                    KEY_QUERY_VALUE | KEY_SET_VALUE))
    return 0;
  PlaceValueData data;
  const bool held = PlaceValueRead(place.get(), entry.value.c_str(), data) &&
                    PlaceValueIsText(data.type);
  if (!held) {
    data.bytes.clear();
    data.type = PlaceEntryNewType(*entry.place, command);
  }
  const std::string list = PointListWith(data.bytes, entry.place->list, command);
  bool there = false;
  PointListWithout(list, entry.place->list, command, there);
  return there && PlaceValueWrite(place.get(), entry.value.c_str(), data.type, list) ? 1 : 0;
}
