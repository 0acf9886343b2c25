#include "startup/locations.h"

#include "foundation/handles.h"

bool g_wow64RunKey = false;

bool ProbeWow64RunKey() {
  RegKey key;
  return key.Open(HKEY_LOCAL_MACHINE, "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Run",
                  KEY_READ);
}
