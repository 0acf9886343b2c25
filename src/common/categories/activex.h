// ActiveX controls Internet Explorer has loaded, and their kill bit.
#pragma once
#include <windows.h>

#include <string>

#include "foundation/settings.h"
#include "item_codes.h"

inline constexpr DWORD kActiveXKillBit = 0x400;
inline constexpr char kActiveXStatsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Ext\\Stats";
inline constexpr char kActiveXCompatibilityKey[] =
    "SOFTWARE\\Microsoft\\Internet Explorer\\ActiveX Compatibility";
inline constexpr char kActiveXDetectedCategory[] = "ActiveX";

// The control's Compatibility Flags, all 32 bits; 0 when it has no entry.
DWORD ReadCompatibilityFlags(const char* clsid);
// Sets the kill bit, creating the control's compatibility entry when needed.
// False when the flags could not be written (HKLM is the administrators').
bool KillActiveX(const char* clsid);
void EnableActiveX(const char* clsid);
// Adds the controls of the per-user statistics key, after emptying the list unless keepList
// is set; returns the list length.
int EnumerateActiveX(int keepList);
// The statistics controls followed by every control of the compatibility list.
int EnumerateAllActiveX();
// Fills the snapshot when its marker is missing; every control present counts as known.
void BuildActiveXSnapshot();

// A 32-bit number (REG_DWORD, or up to four bytes of REG_BINARY); 0 when absent or of
// another type.
DWORD ActiveXReadNumber(HKEY root, const std::string& subkey, const char* value);
