// The registry value name a Run-family entry stands for. A list title holds 127 characters,
// a value name many more: a longer name rides whole in the item's key (up to 259 characters),
// and one longer still is found as the only value its first 259 characters begin.
#pragma once
#include <string>

// The key a listed Run value or held entry gets: its name when the title cannot hold it,
// else empty.
const char* RunEntryKeyFor(const char* name);
// The value name of the entry listed with this title and key at this location: the whole
// name when the listed one was cut and one value of the live key or of the disabled index
// begins with it, else the listed name as it is.
std::string RunEntryName(int code, const char* title, const char* key);
// The name any startup entry is held and disabled by: RunEntryName for the Run family, the
// title elsewhere.
std::string StartupEntryName(int code, const char* title, const char* key);
