// Every title the disabled index holds, read at once: what a list of many entries asks
// instead of one registry look-up per row.
#pragma once
#include <string>
#include <vector>

// Upper case and sorted.
std::vector<std::string> DisabledTitleList();
// True when titles (as DisabledTitleList gives them) holds title, ignoring case as the
// registry does.
bool DisabledTitleListHolds(const std::vector<std::string>& titles, const char* title);
// A listed entry is disabled: its title is held (titles as DisabledTitleList gives them), or
// it is a startup-folder file Task Manager turned off (found by its file, the key).
bool DisabledEntryHolds(const std::vector<std::string>& titles, int code, const char* title,
                        const char* key);
// The same for one entry, without a list read beforehand.
bool IsEntryDisabled(const char* title, int code, const char* key);
