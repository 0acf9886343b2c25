// Taking back a cookie the filter deleted: the cookie file is kept before the deletion and
// written back (the filter takes it again unless its entry is removed first).
#pragma once
#include <string>

bool CookieUndoRecord(const char* name, const std::string& path);
// The history line of a cookie file the filter deleted.
void CookieRemovedLine(const char* name, const std::string& path);
