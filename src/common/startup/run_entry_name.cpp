#include "startup/run_entry_name.h"

#include <cstring>

#include "foundation/handles.h"
#include "startup/item_list.h"
#include "startup/locations.h"
#include "startup/reg_values.h"
#include "startup/startup_action_steps.h"

namespace {

constexpr std::size_t kTitleChars = kItemTitleSize - 1;
constexpr std::size_t kKeyChars = kItemKeySize - 1;
constexpr std::size_t kWholeNameChars = 32767;

// The one value name of root\subkey that begins with the cut name; false when none does or
// several do, since then nothing tells which one was meant.
bool RunEntryWholeName(HKEY root, const char* subkey, const std::string& cut,
                       std::string& whole) {
  RegKey key;
  ValueCursor cursor;
  if (!root || !key.Open(root, subkey, KEY_QUERY_VALUE) || !ValueCursorStart(cursor, key.get()))
    return false;
  int found = 0;
  for (ValueRead read; (read = ValueCursorNext(cursor, kWholeNameChars)) != ValueRead::kEnd;) {
    if (read != ValueRead::kText) continue;
    const char* name = cursor.name.data();
    if (std::strncmp(name, cut.c_str(), cut.size()) != 0) continue;
    if (++found > 1) return false;
    whole = name;
  }
  return found == 1;
}

}  // namespace

const char* RunEntryKeyFor(const char* name) {
  return name && std::strlen(name) > kTitleChars ? name : "";
}

std::string RunEntryName(int code, const char* title, const char* key) {
  const std::string shown = title ? title : "";
  // The key holds the name only when the title is its cut beginning; callers that put
  // something else there (a location's path) are read by the title.
  const bool inKey = shown.size() == kTitleChars && key && std::strlen(key) > kTitleChars &&
                     std::strncmp(key, shown.c_str(), kTitleChars) == 0;
  const std::string listed = inKey ? std::string(key) : shown;
  if (listed.size() < (inKey ? kKeyChars : kTitleChars)) return listed;
  if (ExactValueExists(LocationRoot(code), LocationKeyPath(code), listed.c_str()) ||
      ExactValueExists(HKEY_LOCAL_MACHINE, kDisabledIndexKey, listed.c_str()))
    return listed;
  std::string whole;
  if (RunEntryWholeName(LocationRoot(code), LocationKeyPath(code), listed, whole) ||
      RunEntryWholeName(HKEY_LOCAL_MACHINE, kDisabledIndexKey, listed, whole))
    return whole;
  return listed;
}

std::string StartupEntryName(int code, const char* title, const char* key) {
  return IsRunFamily(code) ? RunEntryName(code, title, key) : std::string(title ? title : "");
}
