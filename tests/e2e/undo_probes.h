// The library actions of the undo test whose headers would clash with the drivers' own
// names for the settings keys.
#pragma once
#include <string>

// Sets the kill bit; the path of the control's compatibility entry.
bool UndoProbeKillBit(const char* clsid);
std::string UndoProbeKillKey(const char* clsid);
// Watches the file with `accepted` as its content, then rejects `rejected` written over it.
bool UndoProbeRejectFile(const char* name, const std::string& path, const std::string& accepted,
                         const std::string& rejected);
