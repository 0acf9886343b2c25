// The two machine-wide Windows settings the monitor guards: the automatic-update mode and
// the prefix put in front of addresses typed without one. The approved value of each lives
// in the per-user settings; the live one under HKEY_LOCAL_MACHINE.
#pragma once
#include "foundation/user_hooks.h"

inline constexpr int kPrefixSize = 257;

int ApprovedUpdateMode();
int LiveUpdateMode();
void ApproveUpdateMode(int mode);
// At start: with no approved mode yet, a live mode other than 0 becomes the approved one.
void InitApprovedUpdateMode();
bool WriteLiveUpdateMode(int mode);
// The approved prefix, or string 1061 "http://" when none is stored.
int ApprovedPrefix(char* out, int capacity);
int LivePrefix(char* out, int capacity);
void ApprovePrefix(const char* prefix);
// Writes both places the browser reads the prefix from.
bool WriteLivePrefix(const char* prefix);

// One guard pass; a changed value is asked about through the askGuardedSetting hook and put
// back through handOverGuardedSetting when installed. Returns 1 when no approved update mode
// was set yet (the live mode, when there is one, becomes the approved one), else 0.
int GuardWindowsSettings();
