// Internet Explorer add-ons registered machine-wide: helper objects, toolbars, extensions.
#pragma once
#include "item_codes.h"

inline constexpr char kBHOKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";
inline constexpr char kToolbarKey[] = "SOFTWARE\\Microsoft\\Internet Explorer\\Toolbar";
inline constexpr char kExtensionsKey[] = "SOFTWARE\\Microsoft\\Internet Explorer\\Extensions";

// Empties the item list and fills it with the add-ons; returns their number.
int EnumerateIEHelpers();
// Removes the add-on at list position index for every item whose command matches; returns
// the number of removals that happened.
int RemoveIEHelper(const char* command, int index);
