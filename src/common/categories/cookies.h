// The cookies category: which browser's store is in use, and its enumeration with or without
// the Nuts filter.
#pragma once

#include "item_codes.h"

enum CookieKind { kCookieKindIE = 1, kCookieKindMozilla = 3 };

// The cookie kind a browser kind stands for (BrowserKind, or the explorer's Browser option):
// Netscape, Firefox and Mozilla use the cookies file, everything else the IE folder.
int CookieKindOfBrowser(int browserKind);
// The kind the enumerations use; 1 until set.
void CookieKindSet(int kind);
int CookieKindGet();

// Empties the item list and lists the cookies of the current kind; returns the item count.
// With filter > 0 the Nuts are loaded first and freed afterwards, and unwanted cookies are
// removed: IE cookie files are deleted (the walk goes on past a full list so that every
// match goes), the Mozilla file is written filtered to "cookiesnew.txt" and nothing listed.
int EnumerateCookies(int filter);
