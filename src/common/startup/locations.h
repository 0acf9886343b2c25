// The catalogue of autostart locations: codes, keys, disabled stores and names.
#pragma once
#include <windows.h>

#include "foundation/settings.h"
#include "item_codes.h"

// Set at start when the machine has the 32-bit view's Run key (a 64-bit system).
extern bool g_wow64RunKey;
bool ProbeWow64RunKey();

bool IsRunFamily(int code);
// A Run-family place under HKEY_LOCAL_MACHINE: the administrators', not the user's.
bool IsMachineRunFamily(int code);
// Per-machine or per-user; null for codes outside the catalogue.
HKEY LocationRoot(int code);
// Full key path of a Run-family code; empty for other codes.
const char* LocationKeyPath(int code);
// Disabled-store key of the code, or empty when it has none. Returns the length.
int DisabledStoreKey(int code, char* out, int capacity);
// The disabled-store sub-keys in their fixed order (Run ... WinRun, RunOnce\Setup, WinNotify);
// empty outside 0..kDisabledStoreCount-1.
inline constexpr int kDisabledStoreCount = 11;
const char* DisabledStoreSubKey(int index);
const char* ShortLocationName(int code);
// True when the disabled index holds a value named title.
bool IsTitleDisabled(const char* title);
// Label of a location, with the disabled marker in front; length, 0 for category codes.
int LocationLabel(const char* title, int code, char* out, int capacity);
// The same label for an entry whose disabled state the caller already knows (a list of many
// entries reads the disabled index once, see disabled_titles.h).
int LocationLabelOf(bool disabled, int code, char* out, int capacity);
