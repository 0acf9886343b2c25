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
