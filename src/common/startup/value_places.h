// The autostart points Windows reads from registry values beyond the Run family: debuggers of
// programs, Winlogon's other values, Active Setup, the boot and security packages, print and
// network helpers, the screensaver, Terminal Server's Run keys, RunOnceEx's sub-keys and
// Office's test DLL. Each is one row of a table, so that a new point is data, not code.
#pragma once
#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "item_codes.h"
#include "point_text.h"

// Where in the key an entry lives.
enum class PlaceShape {
  kValue,            // one named value of the key
  kAllValues,        // every named value of the key
  kSubKeyValue,      // one named value in each sub-key
  kSubKeyAllValues,  // every named value of each sub-key
};

struct ValuePlace {
  int code;
  const char* shortName;
  bool perUser;
  const char* path;
  const char* value;  // the value of kValue and kSubKeyValue; "" names the default value
  PlaceShape shape;
  PointListKind list;
  bool wow64;             // the 32-bit view's copy: read on a 64-bit system only
  const char* defaults;   // the system's own items, '|'-separated, left out of the list
  bool removable;         // removal can be undone by restoring the item
};

// Every row, in table order.
const ValuePlace* ValuePlaceTable(std::size_t& count);
// The row of a code, or null for codes that are no value place.
const ValuePlace* ValuePlaceOf(int code);
HKEY ValuePlaceRoot(const ValuePlace& place);
// "HKLM\<path>" with the value name after two blanks, or "\*" for sub-key places.
std::string ValuePlaceLabel(const ValuePlace& place);
// Where an entry of the place lives, from its item key: the key path (with the sub-key) and
// the value name. False when the item key cannot name one for this place.
bool ValuePlaceLocate(const ValuePlace& place, std::string_view itemKey, std::string& path,
                      std::string& value);
// The item key that ValuePlaceLocate reads back.
std::string ValuePlaceItemKey(const ValuePlace& place, std::string_view subKey,
                              std::string_view value);
std::vector<std::string_view> ValuePlaceDefaults(const ValuePlace& place);

// False for a 32-bit view's place on a system without that view, or whose key is a link to
// the native one (the same entries, listed under the native place).
bool ValuePlaceOwnView(const ValuePlace& place);
// Adds every entry of every place to the item list; the number added.
int ValuePlaceListAll();
// Takes the entry out of its place: the value deleted, or the item taken out of its list.
int ValuePlaceRemove(const char* command, const char* key, int code);
// Writes the entry back: the value, or the item appended to its list. 1 when it is there.
int ValuePlaceRestore(const char* command, const char* key, int code);
