#include <windows.h>

#include <cstring>
#include <vector>

#include "foundation/handles.h"
#include "startup/startup_action_steps.h"
#include "startup/startup_actions.h"
#include "text.h"

namespace {

constexpr char kNotifyKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Notify\\";
constexpr char kDllNameValue[] = "DllName";
constexpr char kOldNameValue[] = "OldName";
constexpr DWORD kNotifyNameBytes = 260;

struct NotifyName {
  DWORD type = REG_SZ;
  char text[kNotifyNameBytes + 1] = {};
  DWORD size = 0;
};

// Opens an existing package only: a name that is no package must not become one.
bool NotifyOpen(const char* package, RegKey& key) {
  if (!package || !package[0] || std::strchr(package, '\\')) return false;
  char path[512];
  CopyBounded(path, sizeof path, kNotifyKey);
  if (AppendBounded(path, sizeof path, package) >= sizeof path - 1) return false;
  return key.Open(HKEY_LOCAL_MACHINE, path, KEY_QUERY_VALUE | KEY_SET_VALUE);
}

// A non-empty text value that fits; anything else reads as not there.
bool NotifyRead(HKEY key, const char* value, NotifyName& name) {
  name.size = kNotifyNameBytes;
  if (RegQueryValueExA(key, value, nullptr, &name.type, reinterpret_cast<BYTE*>(name.text),
                       &name.size) != ERROR_SUCCESS ||
      (name.type != REG_SZ && name.type != REG_EXPAND_SZ))
    return false;
  name.size = static_cast<DWORD>(strnlen(name.text, name.size));
  name.text[name.size] = '\0';
  return name.size > 0;
}

bool NotifyWrite(HKEY key, const char* value, DWORD type, const char* text) {
  return RegSetValueExA(key, value, 0, type, reinterpret_cast<const BYTE*>(text),
                        static_cast<DWORD>(std::strlen(text) + 1)) == ERROR_SUCCESS;
}

// Moves the DLL name from one value to the other; the source keeps it unless the copy held.
int NotifyMove(const char* package, const char* from, const char* to) {
  RegKey key;
  NotifyName name;
  if (!NotifyOpen(package, key) || !NotifyRead(key.get(), from, name)) return 0;
  if (!NotifyWrite(key.get(), to, name.type, name.text)) return 0;
  return NotifyWrite(key.get(), from, name.type, "");
}

}  // namespace

int NotifyDisable(const char* package) { return NotifyMove(package, kDllNameValue, kOldNameValue); }

int NotifyEnable(const char* package) {
  RegKey key;
  NotifyName name;
  if (!NotifyOpen(package, key)) return 0;
  // A package that names a DLL again runs already; its current name is not overwritten.
  if (NotifyRead(key.get(), kDllNameValue, name)) return 1;
  return NotifyMove(package, kOldNameValue, kDllNameValue);
}
